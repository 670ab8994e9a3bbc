// The CPU time a process and all its descendants have used, from /proc (Linux): for a browser,
// its own process, its zygotes, renderers, GPU and utility processes.
import {readdirSync, readFileSync} from 'node:fs';
import {execFileSync} from 'node:child_process';

const ticksPerSecond = Number(execFileSync('getconf', ['CLK_TCK'], {encoding: 'utf8'}).trim()) || 100;

// /proc/PID/stat's fields after the command's name, which may hold spaces and parentheses.
function statOf(pid) {
  try {
    const text = readFileSync(`/proc/${pid}/stat`, 'utf8');
    return text.slice(text.lastIndexOf(')') + 2).split(' ');
  } catch {
    return null; // ended meanwhile
  }
}

// Seconds of CPU (user and system) that ROOT and its living descendants have used.
export function treeCpuSeconds(root) {
  const children = new Map();
  const ticks = new Map();
  for (const entry of readdirSync('/proc')) {
    if (!/^[0-9]+$/.test(entry)) continue;
    const fields = statOf(entry);
    if (!fields) continue;
    // After the name: state, ppid, ..., utime and stime are the 12th and 13th.
    const pid = Number(entry);
    const parent = Number(fields[1]);
    ticks.set(pid, Number(fields[11]) + Number(fields[12]));
    if (!children.has(parent)) children.set(parent, []);
    children.get(parent).push(pid);
  }
  let total = 0;
  const pending = [root];
  while (pending.length) {
    const pid = pending.pop();
    total += ticks.get(pid) || 0;
    pending.push(...(children.get(pid) || []));
  }
  return total / ticksPerSecond;
}
