// The web page's goals on a phone, and the bars below which it is not fit to ship, as a table
// beside what was measured. kB are 1000 bytes.

const kB = (bytes) => `${(bytes / 1000).toFixed(1)} kB`;
const frameRate = (spin) => `${spin.fps.toFixed(1)} frames/s`;
const spinText = (spin) =>
  `${frameRate(spin)}, busy ${(spin.busy * 100).toFixed(0)} %, 95 % of gaps <= ${spin.gapP95.toFixed(1)} ms`;

// A frame rate of 49.5 and over is the game's 50 a second: a window's edges cut a frame or two.
const GOALS = [
  {
    what: 'first visit',
    measured: (m) => m.visit && kB(m.visit.bytes),
    goal: ['<= 500 kB', (m) => m.visit.bytes <= 500000],
    bar: ['<= 800 kB', (m) => m.visit.bytes <= 800000],
  },
  {
    what: 'first frame, 4x CPU, slow 4G (median)',
    measured: (m) => m.firstFrame && `${(m.firstFrame / 1000).toFixed(2)} s`,
    goal: ['<= 3 s', (m) => m.firstFrame <= 3000],
    bar: ['<= 6 s', (m) => m.firstFrame <= 6000],
  },
  {
    what: 'spinning at 10x CPU',
    measured: (m) => m.spin[10] && spinText(m.spin[10]),
    goal: ['50 frames/s, busy <= 25 %', (m) => m.spin[10].fps >= 49.5 && m.spin[10].busy <= 0.25],
    bar: ['>= 48 frames/s, 95 % of gaps <= 30 ms', (m) => m.spin[10].fps >= 48 && m.spin[10].gapP95 <= 30],
  },
  {
    what: 'spinning at 20x CPU',
    measured: (m) => m.spin[20] && frameRate(m.spin[20]),
    goal: ['>= 45 frames/s', (m) => m.spin[20].fps >= 45],
    bar: null,
  },
];

// Prints the table for MEASURED: {visit, firstFrame, spin: {slowdown: result}}; a part that was
// not measured is marked so.
export function printGoals(measured) {
  const rows = [['', 'measured', 'goal', 'bar', 'verdict']];
  for (const {what, measured: text, goal, bar} of GOALS) {
    const seen = text(measured);
    let verdict = 'not measured';
    if (seen) {
      if (goal[1](measured)) verdict = 'goal met';
      else if (!bar) verdict = 'goal MISSED';
      else verdict = bar[1](measured) ? 'goal missed, within the bar' : 'BELOW THE BAR';
    }
    rows.push([what, seen || '-', goal[0], bar ? bar[0] : '-', verdict]);
  }
  const widths = rows[0].map((_, column) => Math.max(...rows.map((row) => row[column].length)));
  for (const row of rows) console.log(row.map((cell, column) => cell.padEnd(widths[column])).join('  ').trimEnd());
}
