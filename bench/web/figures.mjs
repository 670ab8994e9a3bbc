// How the benchmark prints its figures, one a line (name, value, unit), and the statistics it
// takes of them.

export function figure(name, value, unit, note = '') {
  const shown = typeof value === 'number' ? String(Math.round(value * 10) / 10) : value;
  console.log(`${name.padEnd(36)} ${shown.padStart(10)} ${unit}${note ? `   (${note})` : ''}`);
}

export function median(values) {
  const sorted = [...values].sort((a, b) => a - b);
  const middle = Math.floor(sorted.length / 2);
  return sorted.length % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
}

// The nearest-rank percentile: the smallest value that P per cent of VALUES do not exceed.
export function percentile(values, p) {
  if (values.length === 0) return NaN;
  const sorted = [...values].sort((a, b) => a - b);
  return sorted[Math.max(0, Math.ceil((p / 100) * sorted.length) - 1)];
}

// The time from each of TIMES to the next.
export function gaps(times) {
  return times.slice(1).map((time, i) => time - times[i]);
}
