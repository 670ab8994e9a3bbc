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

// ROOT and its living descendants: {pid: ticks of CPU used}.
function tree(root) {
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
  const found = new Map();
  const pending = [root];
  while (pending.length) {
    const pid = pending.pop();
    found.set(pid, ticks.get(pid) || 0);
    pending.push(...(children.get(pid) || []));
  }
  return found;
}

// Seconds of CPU (user and system) that ROOT and its living descendants have used.
export function treeCpuSeconds(root) {
  let total = 0;
  for (const ticks of tree(root).values()) total += ticks;
  return total / ticksPerSecond;
}

// Seconds that the main threads of ROOT's descendants whose command line holds ARGUMENT have run,
// to the nanosecond (schedstat): time spent waiting for a core while the machine is busy is not
// in it. A process's main thread is the task with the process's own id.
export function mainThreadCpuSeconds(root, argument) {
  let total = 0;
  for (const pid of tree(root).keys()) {
    try {
      // Chromium's processes rewrite their command line as one text, spaces between the arguments.
      if (!readFileSync(`/proc/${pid}/cmdline`, 'utf8').includes(argument)) continue;
      total += Number(readFileSync(`/proc/${pid}/task/${pid}/schedstat`, 'utf8').split(' ')[0]) / 1e9;
    } catch {
      // ended meanwhile
    }
  }
  return total;
}
