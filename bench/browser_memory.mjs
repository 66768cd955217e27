// A browser's memory: the proportional set size of all its processes (page,
// workers, extension, GPU alike), and the highest of it while some work runs.
import fs from 'node:fs';

const kSampleMilliseconds = 100;

function processTree(root) {
  const children = new Map();
  for (const entry of fs.readdirSync('/proc')) {
    if (!/^\d+$/.test(entry)) continue;
    try {
      const stat = fs.readFileSync(`/proc/${entry}/stat`, 'utf8');
      const parent = Number(stat.slice(stat.lastIndexOf(')') + 2).split(' ')[1]);
      if (!children.has(parent)) children.set(parent, []);
      children.get(parent).push(Number(entry));
    } catch {
      // The process has ended meanwhile.
    }
  }
  const tree = [];
  for (const queue = [root]; queue.length;) {
    const pid = queue.pop();
    tree.push(pid);
    queue.push(...(children.get(pid) || []));
  }
  return tree;
}

export function treeBytes(root) {
  let kilobytes = 0;
  for (const pid of processTree(root)) {
    try {
      const match = fs.readFileSync(`/proc/${pid}/smaps_rollup`, 'utf8').match(/^Pss:\s+(\d+) kB/m);
      kilobytes += match ? Number(match[1]) : 0;
    } catch {
      // As above.
    }
  }
  return kilobytes * 1024;
}

// The highest memory of the browser while `work` runs.
export async function withPeakMemory(root, work) {
  let peak = treeBytes(root);
  const timer = setInterval(() => { peak = Math.max(peak, treeBytes(root)); }, kSampleMilliseconds);
  try {
    const value = await work();
    peak = Math.max(peak, treeBytes(root));
    return { value, peak };
  } finally {
    clearInterval(timer);
  }
}
