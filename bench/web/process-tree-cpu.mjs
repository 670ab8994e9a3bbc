// The CPU a browser uses, from /proc (Linux): its own process, its zygotes, renderers, GPU and
// utility processes. The tree itself is the web tests' (tests/web/process-cpu.mjs).
import {readFileSync} from 'node:fs';
import {processTree} from '../../tests/web/process-cpu.mjs';

// Seconds of CPU (user and system) that ROOT and its living descendants have used.
export function treeCpuSeconds(root) {
  return processTree(root).reduce((total, process) => total + process.seconds, 0);
}

// Seconds that the main threads of ROOT's descendants whose command line holds ARGUMENT have run,
// to the nanosecond (schedstat): time spent waiting for a core while the machine is busy is not
// in it. A process's main thread is the task with the process's own id.
export function mainThreadCpuSeconds(root, argument) {
  let total = 0;
  for (const {pid} of processTree(root)) {
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
