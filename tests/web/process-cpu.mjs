// The CPU time of a process and everything under it, process by process, from /proc.
import {readFileSync, readdirSync} from 'node:fs';

// Clock ticks a second, as /proc counts them (USER_HZ, 100 on Linux).
const TICKS = 100;

function stat(pid) {
  try {
    const text = readFileSync(`/proc/${pid}/stat`, 'utf8');
    // The name is in parentheses and may hold spaces; the fields after it are plain.
    const close = text.lastIndexOf(')');
    const fields = text.slice(close + 2).split(' ');
    // Chromium's processes share one name; their --type tells them apart.
    const type = / --type=([\w-]+)/.exec(readFileSync(`/proc/${pid}/cmdline`, 'utf8').replaceAll('\0', ' '));
    return {
      pid,
      name: text.slice(text.indexOf('(') + 1, close) + (type ? ` ${type[1]}` : ''),
      parent: Number(fields[1]),
      seconds: (Number(fields[11]) + Number(fields[12])) / TICKS,
    };
  } catch {
    return null;
  }
}

// Every living process at or under ROOT: [{pid, name, parent, seconds}], seconds of CPU (user and
// system) each has used so far.
export function processTree(root) {
  const all = readdirSync('/proc')
    .filter((name) => /^\d+$/.test(name))
    .map((name) => stat(Number(name)))
    .filter(Boolean);
  const children = new Map();
  for (const process of all) {
    if (!children.has(process.parent)) children.set(process.parent, []);
    children.get(process.parent).push(process);
  }
  const tree = [];
  const visit = (process) => {
    tree.push(process);
    for (const child of children.get(process.pid) || []) visit(child);
  };
  const top = all.find((process) => process.pid === root);
  if (top) visit(top);
  return tree;
}

// The CPU seconds each process of BEFORE's and AFTER's trees used between them, by process name
// (processes that share a name summed), and their total.
export function cpuBetween(before, after) {
  const start = new Map(before.map((process) => [process.pid, process.seconds]));
  const byName = {};
  let total = 0;
  for (const process of after) {
    const used = process.seconds - (start.get(process.pid) || 0);
    byName[process.name] = (byName[process.name] || 0) + used;
    total += used;
  }
  return {total, byName};
}
