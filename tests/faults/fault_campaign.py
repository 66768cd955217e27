#!/usr/bin/python3
"""Fails the programs' system calls one at a time and checks what is left on disk.

The programs promise that a run which fails leaves its destination exactly as it
was, that a run which succeeds wrote the whole new result, and that a change to a
dictionary happens whole or not at all. This campaign holds them to it from the
outside, the way SQLite's I/O-error tests do: every run is first recorded under
strace to learn which system calls it makes, then repeated once for each call,
with strace making that one call fail (`inject=CALL:error=ERRNO:when=N`) or
killing the program there (`inject=CALL:signal=KILL:when=N`). After each run:

  - each destination (or the dictionary) holds exactly its old bytes or exactly
    the bytes of a clean run, and keeps its mode (0600 before the run); a
    dictionary that holds neither is also asked `pragma integrity_check`, to
    tell a broken file from a valid one with the wrong content;
  - the exit status is 0 exactly when the run wrote its whole new result: a run
    that says it failed has left its destination alone (with -o, some of the
    destinations may be new), and a failure is exit status 1, never a crash;
  - nothing is left beside the destination: no `.taviro-*.tmp`, no
    `*.lexicon-edit*`. The programs write an unnamed file (O_TMPFILE) and name
    it only for the rename over the destination, so after a kill a
    `.taviro-*.tmp` is tolerated at the rename alone, or after any call with
    --named-temporary (or TAVIRO_FAULTS_NAMED_TEMPORARY=1), on a file system
    that refuses O_TMPFILE, where the programs fall back to a named temporary;
    and then only if a clean run in the same folder removes it;
  - a program built with the sanitizers reported nothing.

Which calls are tried. strace counts `when=N` per thread and per kind of call,
so a point is "the Nth call of this kind in any thread". Start-up (the dynamic
loader reading the libraries, Python importing its modules) makes many calls
that have nothing to do with the files, so by default only the calls from the
first one that names a file of the run (its source, destination, dictionary or
list, or words.mdb) on are tried, and of a kind with more such calls than
--sample (16) at that many evenly spaced ones: the dictionary's pread64 calls,
memory calls. Every kind the run makes is killed at; the kinds in ERRNOS are
also failed. `--all` tries every call of every kind, start-up included.

Programs built with the sanitizers are run only with failed calls (a killed
program runs no error path), at no more than --sanitized-sample calls of a kind,
only from the run's first file on, and only at the program's own calls: the
sanitizer runtime probes memory through pipes (pipe2, write, close) and reads
/proc with open(2), and a failure injected there trips the runtime's own checks,
which says nothing about the program (such runs are counted apart). Leak
detection does not work under ptrace, so it is off there.

Exit status 0 when every point passed; 1 with each failing point listed with the
command line that reproduces it (the work folder is then kept, with the end
state of the first few failing points of each path).
"""

import argparse
import collections
import concurrent.futures
import dataclasses
import os
import re
import shlex
import shutil
import signal
import sqlite3
import subprocess
import sys
import tempfile
import threading
import time

# The errno each call fails with: what a full disk, a failing disk or a refused
# permission makes it return. Only the kinds that a run makes are tried.
ERRNOS = {
    'read': ['EIO'],
    'write': ['ENOSPC', 'EIO'],
    'openat': ['EACCES'],
    'close': ['EIO'],
    'fsync': ['EIO'],
    'fdatasync': ['EIO'],
    'rename': ['EIO'],
    'renameat2': ['EIO'],
    'linkat': ['ENOSPC'],
    'fchmod': ['EPERM'],
    'fchown': ['EPERM'],
    'pwrite64': ['ENOSPC', 'EIO'],
    'pread64': ['EIO'],
    'unlink': ['EIO'],
    'unlinkat': ['EIO'],
    'sendfile': ['EIO'],
    'copy_file_range': ['EIO'],
    'ftruncate': ['EIO'],
    'sync_file_range': ['EIO'],
}
# Calls whose first argument is a file descriptor: one of the sanitizer
# runtime's descriptors makes the call the runtime's own.
FD_CALLS = {'read', 'write', 'close', 'fsync', 'fdatasync', 'fchmod', 'fchown', 'pwrite64', 'pread64',
            'sendfile', 'ftruncate', 'sync_file_range', 'copy_file_range'}
SANITIZER_REPORTS = ('ERROR: AddressSanitizer', 'ERROR: LeakSanitizer', 'runtime error:')
SANITIZER_OWN_CHECK = 'CHECK failed'
KILLED = -9
MODE = 0o600
OLD_TEXT = 'the previous result, which a failed run must leave alone\n'.encode('utf-16')
NAMED_TEMPORARY = re.compile(r'^\.taviro-.*\.tmp$')
# The folders of the first failing points of a path are kept to look at; the
# commands listed rebuild any other.
KEPT_FOLDERS = 5
# A run takes well under a second; one that has not ended after this long hangs.
RUN_SECONDS = 120

CORRUPT = 'a destination neither old nor new'
MODE_CHANGED = 'a destination changed its mode'
SUCCESS_WITHOUT_RESULT = 'exit status 0 without the whole new result'
FAILURE_WITH_RESULT = 'a failed run replaced its destination'
BAD_STATUS = 'a failure other than exit status 1'
LEFT_BY_FAILURE = 'a file left behind by a failed run'
LEFT_BY_KILL = 'a file left behind by a killed run'
SANITIZER = 'a sanitizer report'
HUNG = 'a run that did not end'


@dataclasses.dataclass
class RunPath:
    """One way of running a program over files, with what it must leave behind."""
    name: str
    program: str            # 'convert', 'dict' or 'python'
    args: list
    outputs: list           # what must end up old or new, relative to the run's folder
    anchors: list           # the files whose first mention ends the start-up
    stdin: str = None
    source_lines: int = 0   # of the corpus, in source.txt


# A source of 300 lines is read by the file reader (8 KiB at a time) in two
# blocks; one of 6000 lines (300 KB) is also read from standard input (64 KiB at
# a time) in several, and makes several chunks, so that on two or more cores the
# pool threads write too. The list of 600 entries is read in two blocks, so that
# a read can fail in the middle of every input.
PATHS = [
    RunPath('convert -j 1', 'convert', ['-j', '1', 'source.txt', 'roman.txt'], ['roman.txt'],
            ['source.txt', 'roman.txt', 'words.mdb'], source_lines=300),
    RunPath('convert (threads)', 'convert', ['source.txt', 'roman.txt'], ['roman.txt'],
            ['source.txt', 'roman.txt', 'words.mdb'], source_lines=6000),
    RunPath('convert -o folder', 'convert', ['-o', 'out', 'a.txt', 'b.txt'], ['out/a.txt', 'out/b.txt'],
            ['a.txt', 'b.txt', 'out', 'words.mdb']),
    RunPath('convert stdin', 'convert', ['-', 'roman.txt'], ['roman.txt'], ['roman.txt', 'words.mdb'],
            stdin='source.txt', source_lines=6000),
    RunPath('dict add', 'dict', ['add', '--dictionary', 'my.mdb', 'ਜਲੰਧਰ', 'jalandhar'], ['my.mdb'], ['my.mdb']),
    RunPath('dict import', 'dict', ['import', '--dictionary', 'my.mdb', 'list.tsv'], ['my.mdb'],
            ['my.mdb', 'list.tsv']),
    RunPath('python convert_file', 'python',
            ['-c', 'import sys, taviro; taviro.convert_file(sys.argv[1], sys.argv[2])', 'source.txt', 'roman.txt'],
            ['roman.txt'], ['source.txt', 'roman.txt', 'words.mdb'], source_lines=6000),
]


@dataclasses.dataclass
class Point:
    path: RunPath
    variant: str            # 'release' or 'sanitized'
    call: str
    n: int
    action: str             # an errno name, or 'KILL'
    start_up: bool          # the Nth call of some thread came before the run's first file


@dataclasses.dataclass
class Verdict:
    point: Point
    command: str
    status: int
    outcome: str            # 'old', 'new', 'old+new' (-o) or 'corrupt'
    leftovers: list
    problems: list          # (kind, detail)
    runtime_hit: bool = False


class Calls:
    """The system calls of one recorded run, counted per thread as strace counts them."""

    def __init__(self):
        self.before = collections.defaultdict(collections.Counter)  # thread -> kind -> calls before the anchor
        self.total = collections.defaultdict(collections.Counter)
        self.runtime = collections.defaultdict(set)                  # (thread, kind) -> the runtime's call numbers

    def kinds(self):
        return {kind for counts in self.total.values() for kind in counts}

    def range_of(self, kind):
        """The first call of the kind after start-up in any thread, and the last."""
        threads = [thread for thread in self.total if self.total[thread][kind] > self.before[thread][kind]]
        last = max(counts[kind] for counts in self.total.values())
        return min((self.before[thread][kind] + 1 for thread in threads), default=last + 1), last

    def in_start_up(self, kind, n):
        return any(n <= self.before[thread][kind] for thread in self.total)

    def is_programs(self, kind, n):
        return not any(n in self.runtime[(thread, kind)] for thread in self.total)


CALL_LINE = re.compile(r'^(\d+)\s+(?:<\.\.\. (\w+) resumed>(.*)|(\w+)\((.*))$')
PIPE_ENDS = re.compile(r'\[(\d+), (\d+)\]')
RESULT = re.compile(r'=\s+(-?\d+)')


def read_calls(log, anchors):
    """Counts the calls of an `strace -f -o` log, and finds the runtime's own."""
    calls = Calls()
    anchored = False
    runtime_fds = set()
    pending = {}
    named = re.compile('["/](' + '|'.join(re.escape(name) for name in anchors) + ')"')
    with open(log, encoding='utf-8', errors='replace') as lines:
        for line in lines:
            match = CALL_LINE.match(line)
            if not match:
                continue
            thread = int(match.group(1))
            if match.group(2):
                kind, rest = pending.pop(thread, match.group(2)), match.group(3)
            else:
                kind, rest = match.group(4), match.group(5)
                if not anchored and kind != 'execve' and named.search(rest):
                    anchored = True
                    for counted, counts in calls.total.items():
                        calls.before[counted] = collections.Counter(counts)
                calls.total[thread][kind] += 1
                if kind in FD_CALLS:
                    first = re.match(r'\s*(\d+)', rest)
                    if first and int(first.group(1)) in runtime_fds:
                        calls.runtime[(thread, kind)].add(calls.total[thread][kind])
                        if kind == 'close':
                            runtime_fds.discard(int(first.group(1)))
                if '<unfinished ...>' in rest:
                    pending[thread] = kind
                    continue
            # The sanitizer runtime's descriptors: its probing pipes, and what it
            # opens with open(2), which nothing else here calls.
            if kind == 'pipe2':
                ends = PIPE_ENDS.search(rest)
                if ends:
                    runtime_fds.update(int(end) for end in ends.groups())
            elif kind == 'open':
                result = RESULT.search(rest)
                if result and int(result.group(1)) >= 0:
                    runtime_fds.add(int(result.group(1)))
    if not anchored:
        raise SystemExit(f'{log}: no call names a file of the run')
    return calls


class Campaign:
    def __init__(self, options):
        self.options = options
        self.root = options.work_dir
        self.programs = {('convert', 'release'): options.convert, ('dict', 'release'): options.dict,
                         ('python', 'release'): options.python}
        if options.sanitized_convert:
            self.programs[('convert', 'sanitized')] = options.sanitized_convert
        if options.sanitized_dict:
            self.programs[('dict', 'sanitized')] = options.sanitized_dict
        self.paths = [path for path in PATHS if not options.only or any(word in path.name for word in options.only)]
        self.old = {}
        self.new = {}
        self.kept = collections.Counter()
        self.lock = threading.Lock()

    # ---- the files a run starts from -----------------------------------------

    def prepare(self):
        with open(self.options.corpus, encoding='utf-8') as corpus:
            lines = corpus.readlines()
        words = list(dict.fromkeys(token for line in lines for token in line.split()
                                   if re.fullmatch('[\u0a01-\u0a75]+', token)))[:600]
        shared = os.path.join(self.root, 'shared')
        os.makedirs(shared)
        wordlist = os.path.join(shared, 'wordlist.txt')
        write(wordlist, ('\n'.join(words[:60]) + '\n').encode())
        # A small dictionary of its own keeps the edits quick.
        small = os.path.join(shared, 'small.mdb')
        subprocess.run([self.options.dict, 'build', wordlist, '-o', small], check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        for path in self.paths:
            start = self.start_folder(path)
            os.makedirs(start)
            if path.source_lines:
                write(os.path.join(start, 'source.txt'), ''.join(lines[:path.source_lines]).encode())
            if path.name == 'convert -o folder':
                write(os.path.join(start, 'a.txt'), ''.join(lines[:100]).encode())
                write(os.path.join(start, 'b.txt'), ''.join(lines[100:200]).encode())
                os.makedirs(os.path.join(start, 'out'))
            if path.program == 'dict':
                shutil.copyfile(small, os.path.join(start, 'my.mdb'))
                tsv = ''.join(f'{word}\t{roman_letters(index)}\n' for index, word in enumerate(words))
                write(os.path.join(start, 'list.tsv'), tsv.encode())
            else:
                for output in path.outputs:
                    write(os.path.join(start, output), OLD_TEXT)
            for output in path.outputs:
                os.chmod(os.path.join(start, output), MODE)

    def start_folder(self, path):
        return os.path.join(self.root, slug(path.name), 'start')

    def fresh_folder(self, path, label):
        folder = os.path.join(self.root, slug(path.name), label)
        shutil.copytree(self.start_folder(path), folder, symlinks=True)
        return folder

    # ---- running -------------------------------------------------------------

    def argv(self, path, variant):
        return [self.programs[(path.program, variant)]] + path.args

    def environment(self, variant):
        env = dict(os.environ, PYTHONPATH=self.options.python_path, PYTHONDONTWRITEBYTECODE='1')
        if variant == 'sanitized':
            env['ASAN_OPTIONS'] = ':'.join(filter(None, [env.get('ASAN_OPTIONS'), 'detect_leaks=0']))
        return env

    def run(self, path, variant, folder, strace=()):
        """The exit status (None when the run did not end) and standard error."""
        stdin = open(os.path.join(folder, path.stdin), 'rb') if path.stdin else subprocess.DEVNULL
        try:
            # A session of its own, so that a run that hangs is killed with its
            # tracer: a killed strace would leave its tracee running.
            with subprocess.Popen(list(strace) + self.argv(path, variant), cwd=folder, stdin=stdin,
                                  stdout=subprocess.DEVNULL, stderr=subprocess.PIPE,
                                  env=self.environment(variant), start_new_session=True) as process:
                try:
                    _, errors = process.communicate(timeout=RUN_SECONDS)
                    status = process.returncode
                except subprocess.TimeoutExpired:
                    os.killpg(process.pid, signal.SIGKILL)
                    _, errors = process.communicate()
                    status = None
        finally:
            if path.stdin:
                stdin.close()
        return status, errors.decode('utf-8', 'replace')

    def outputs_of(self, path, folder):
        return {output: read(os.path.join(folder, output)) for output in path.outputs}

    def learn(self, path, variant):
        """The new result of a clean run, and the calls that the run makes."""
        folder = self.fresh_folder(path, f'clean-{variant}')
        old = self.outputs_of(path, folder)
        status, errors = self.run(path, variant, folder)
        new = self.outputs_of(path, folder)
        if status != 0 or new == old:
            raise SystemExit(f'{path.name} ({variant}): a clean run did not work (exit status {status}):\n{errors}')
        if self.new.setdefault(path.name, new) != new:
            raise SystemExit(f'{path.name}: the {variant} program writes other bytes than the release one')
        self.old[path.name] = old
        shutil.rmtree(folder)
        folder = self.fresh_folder(path, f'record-{variant}')
        log = os.path.join(self.root, slug(path.name), f'calls-{variant}.log')
        status, errors = self.run(path, variant, folder, ['strace', '-f', '-o', log])
        if status != 0 or self.outputs_of(path, folder) != new:
            raise SystemExit(f'{path.name} ({variant}): the run under strace did not write what a clean run '
                             f'writes (exit status {status}):\n{errors}')
        shutil.rmtree(folder)
        return read_calls(log, path.anchors)

    def points(self, path, variant, calls):
        chosen = []
        for call in sorted(calls.kinds()):
            first, last = calls.range_of(call)
            if variant == 'sanitized':
                numbers = [n for n in range(first, last + 1)
                           if not calls.in_start_up(call, n) and calls.is_programs(call, n)]
                actions, limit = ERRNOS.get(call, []), self.options.sanitized_sample
            else:
                numbers = list(range(1 if self.options.all else first, last + 1))
                actions, limit = ERRNOS.get(call, []) + ['KILL'], self.options.sample
            if not self.options.all:
                numbers = spread(numbers, limit)
            chosen += [Point(path, variant, call, n, action, calls.in_start_up(call, n))
                       for action in actions for n in numbers]
        return chosen

    # ---- one point -----------------------------------------------------------

    def strace_of(self, point):
        what = 'signal=KILL' if point.action == 'KILL' else f'error={point.action}'
        return ['strace', '-f', '-o', '/dev/null', '-e', f'inject={point.call}:{what}:when={point.n}']

    def reproduce(self, point):
        """The command line of the point, to run in a copy of its path's start folder."""
        env = []
        if point.path.program == 'python':
            env.append(f'PYTHONPATH={self.options.python_path}')
        if point.variant == 'sanitized':
            env.append('ASAN_OPTIONS=detect_leaks=0')
        words = env + self.strace_of(point) + self.argv(point.path, point.variant)
        return ' '.join(shlex.quote(word) for word in words) + (f' < {point.path.stdin}' if point.path.stdin else '')

    def try_point(self, point):
        path = point.path
        folder = self.fresh_folder(path, f'{point.variant}-{point.call}-{point.action}-{point.n}')
        before = listing(folder)
        status, errors = self.run(path, point.variant, folder, self.strace_of(point))
        killed = status == KILLED and point.action == 'KILL'
        problems = []
        states = []
        for output in path.outputs:
            name = os.path.join(folder, output)
            content = read(name)
            if content == self.old[path.name][output]:
                states.append('old')
            elif content == self.new[path.name][output]:
                states.append('new')
            else:
                states.append('corrupt')
                detail = f'{output} is missing' if content is None else f'{output}: {len(content)} bytes'
                if output.endswith('.mdb') and content is not None:
                    detail += f', integrity_check: {integrity(name)}'
                problems.append((CORRUPT, detail))
            if content is not None and os.stat(name).st_mode & 0o7777 != MODE:
                problems.append((MODE_CHANGED, f'{output}: {os.stat(name).st_mode & 0o7777:04o}, was {MODE:04o}'))
        outcome = ('corrupt' if 'corrupt' in states else
                   'new' if set(states) == {'new'} else
                   'old' if set(states) == {'old'} else 'old+new')
        if status == 0 and outcome != 'new':
            problems.append((SUCCESS_WITHOUT_RESULT, f'the result is {outcome}'))
        if status not in (0, KILLED, None) and outcome == 'new':
            problems.append((FAILURE_WITH_RESULT, f'exit status {status}'))
        if status is None:
            problems.append((HUNG, f'killed after {RUN_SECONDS} s'))
        elif not killed and status not in (0, 1) and not point.start_up:
            problems.append((BAD_STATUS, f'exit status {status}'))
        leftovers = sorted(listing(folder) - before)
        may_leave_temporary = killed and (self.options.named_temporary or point.call == 'rename')
        for leftover in leftovers:
            if not killed:
                problems.append((LEFT_BY_FAILURE, leftover))
            elif not (may_leave_temporary and NAMED_TEMPORARY.match(os.path.basename(leftover))):
                problems.append((LEFT_BY_KILL, leftover))
        if leftovers and may_leave_temporary and not problems:
            # The next run into the folder finds the killed run's file unlocked
            # and removes it.
            self.run(path, point.variant, folder, [])
            problems.extend((LEFT_BY_KILL, f'{leftover}, still there after the next run')
                            for leftover in sorted(listing(folder) - before) if leftover in leftovers)
        runtime_hit = False
        reports = [line for line in errors.splitlines() if any(report in line for report in SANITIZER_REPORTS)]
        if reports:
            problems.append((SANITIZER, reports[0]))
        elif point.variant == 'sanitized' and SANITIZER_OWN_CHECK in errors:
            # The failure hit one of the runtime's own calls after all (threads
            # may make them in another order than the recorded run did).
            runtime_hit, problems = True, []
        with self.lock:
            keep = problems and self.kept[path.name] < KEPT_FOLDERS
            self.kept[path.name] += bool(keep)
        if not keep:
            shutil.rmtree(folder)
        return Verdict(point, self.reproduce(point), status, outcome, leftovers, problems, runtime_hit)

    # ---- the whole campaign --------------------------------------------------

    def execute(self):
        began = time.monotonic()
        self.prepare()
        plan = []
        for path in self.paths:
            for variant in ('release', 'sanitized'):
                if (path.program, variant) in self.programs:
                    plan += self.points(path, variant, self.learn(path, variant))
        with concurrent.futures.ThreadPoolExecutor(self.options.jobs) as pool:
            verdicts = list(pool.map(self.try_point, plan))
        if self.options.verbose:
            for verdict in verdicts:
                print(f'{describe(verdict.point)}: exit status {verdict.status}, {verdict.outcome}, '
                      f'left {verdict.leftovers or "nothing"}' + (' FAILED' if verdict.problems else ''))
        failed = report(verdicts, self)
        print(f'{len(verdicts)} runs in {time.monotonic() - began:.0f} s'
              + (', every call' if self.options.all else ', sampled (--all tries every call)'))
        return failed


def describe(point):
    return (f'{point.path.name} ({point.variant}): {point.call} #{point.n} {point.action}'
            + (' [start-up]' if point.start_up else ''))


def report(verdicts, campaign):
    """Lists the failing points, then the figures of every path; true when a point failed."""
    failing = [verdict for verdict in verdicts if verdict.problems]
    shown_path = None
    for verdict in failing:
        point = verdict.point
        if point.path is not shown_path:
            shown_path = point.path
            start = shlex.quote(campaign.start_folder(point.path))
            print(f'\n{point.path.name}: each command runs in a copy of the start folder, '
                  f'cd "$(mktemp -d)" && cp -a {start}/. .')
        print(f'FAILED {describe(point)}, exit status {verdict.status}: '
              + '; '.join(f'{kind}: {detail}' for kind, detail in verdict.problems))
        print(f'    {verdict.command}')
    print(f'\n{"path":22} {"programs":9} {"points":>6} {"kills":>5} {"old":>5} {"new":>5} {"old+new":>7} '
          f'{"corrupt":>7}  {"leftovers after failure/kill":>28}  exit statuses')
    groups = collections.defaultdict(list)
    for verdict in verdicts:
        if not verdict.runtime_hit:
            groups[(verdict.point.path.name, verdict.point.variant)].append(verdict)
    for (name, variant), group in groups.items():
        outcomes = collections.Counter(verdict.outcome for verdict in group)
        statuses = collections.Counter(verdict.status for verdict in group)
        kills = sum(verdict.point.action == 'KILL' for verdict in group)
        after_kill = sum(bool(verdict.leftovers) for verdict in group if verdict.status == KILLED)
        after_failure = sum(bool(verdict.leftovers) for verdict in group if verdict.status != KILLED)
        print(f'{name:22} {variant:9} {len(group):6} {kills:5} {outcomes["old"]:5} {outcomes["new"]:5} '
              f'{outcomes["old+new"]:7} {outcomes["corrupt"]:7}  {after_failure:>23}/{after_kill:<4}  '
              + ' '.join(f'{"hung" if status is None else status}:{count}'
                         for status, count in sorted(statuses.items(), key=lambda item: str(item[0]))))
    hits = sum(verdict.runtime_hit for verdict in verdicts)
    if hits:
        print(f'({hits} sanitized runs failed one of the sanitizer runtime\'s own calls instead; not judged)')
    if not failing:
        return False
    print(f'\n{len(failing)} points FAILED, by kind:')
    kinds = collections.defaultdict(collections.Counter)
    for verdict in failing:
        for kind in dict.fromkeys(kind for kind, _ in verdict.problems):
            kinds[kind][f'{verdict.point.path.name} ({verdict.point.variant})'] += 1
    for kind, where in sorted(kinds.items(), key=lambda item: -sum(item[1].values())):
        print(f'  {sum(where.values()):4}  {kind}: ' + ', '.join(f'{name} {count}' for name, count in where.items()))
    if not campaign.options.named_temporary and LEFT_BY_KILL in kinds:
        print('(on a file system that refuses O_TMPFILE the programs must fall back to a named temporary, '
              'which a kill leaves: pass --named-temporary there)')
    return True


# ---- small helpers -------------------------------------------------------------

def spread(numbers, limit):
    """At most `limit` of the numbers, evenly spaced, the first and the last among them."""
    if len(numbers) <= limit:
        return numbers
    step = (len(numbers) - 1) / (limit - 1)
    return sorted({numbers[round(i * step)] for i in range(limit)})


def roman_letters(index):
    letters = ''
    for _ in range(3):
        letters = chr(ord('a') + index % 26) + letters
        index //= 26
    return 'r' + letters


def slug(name):
    return re.sub(r'[^a-z0-9]+', '-', name.lower()).strip('-')


def write(name, content):
    with open(name, 'wb') as out:
        out.write(content)


def read(name):
    try:
        with open(name, 'rb') as source:
            return source.read()
    except FileNotFoundError:
        return None


def listing(folder):
    return {os.path.relpath(os.path.join(top, name), folder)
            for top, folders, files in os.walk(folder) for name in folders + files}


def integrity(name):
    # On a copy: opening the file itself could roll back a journal beside it.
    with tempfile.TemporaryDirectory() as scratch:
        copy = os.path.join(scratch, 'copy.mdb')
        shutil.copyfile(name, copy)
        try:
            with sqlite3.connect(copy) as database:
                return ', '.join(row[0] for row in database.execute('pragma integrity_check'))
        except sqlite3.DatabaseError as error:
            return str(error)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split('\n', 1)[0])
    parser.add_argument('--convert', required=True, help='taviro-convert without sanitizers')
    parser.add_argument('--dict', required=True, help='taviro-dict without sanitizers')
    parser.add_argument('--python-path', required=True, help='the folder that holds the taviro module')
    parser.add_argument('--python', default=sys.executable, help='the Python the module is built for')
    parser.add_argument('--corpus', required=True, help='UTF-8 Gurmukhi text, one string a line')
    parser.add_argument('--sanitized-convert', help='taviro-convert built with the sanitizers')
    parser.add_argument('--sanitized-dict', help='taviro-dict built with the sanitizers')
    parser.add_argument('--all', action='store_true', help='every call of every kind, start-up included')
    parser.add_argument('--sample', type=int, default=16, help='calls of a kind tried at most (default 16)')
    parser.add_argument('--sanitized-sample', type=int, default=8,
                        help='the same for the sanitized programs (default 8)')
    parser.add_argument('--named-temporary', action='store_true',
                        default=os.environ.get('TAVIRO_FAULTS_NAMED_TEMPORARY') == '1',
                        help='the file system refuses O_TMPFILE: tolerate a .taviro-*.tmp after a kill')
    parser.add_argument('--only', nargs='+', metavar='WORD', help='only the paths whose names hold a WORD')
    parser.add_argument('--jobs', type=int, default=os.cpu_count() or 2, help='runs at a time')
    parser.add_argument('--work-dir', help='where the runs happen, emptied first (default: a new temporary folder)')
    parser.add_argument('--verbose', action='store_true', help='a line for every point')
    options = parser.parse_args()
    for name in ('convert', 'dict', 'python_path', 'corpus', 'sanitized_convert', 'sanitized_dict'):
        if getattr(options, name):
            setattr(options, name, os.path.abspath(getattr(options, name)))
    if shutil.which('strace') is None:
        raise SystemExit('the campaign needs strace (Debian package strace)')
    if options.work_dir:
        shutil.rmtree(options.work_dir, ignore_errors=True)
        os.makedirs(options.work_dir)
        options.work_dir = os.path.abspath(options.work_dir)
    else:
        options.work_dir = tempfile.mkdtemp(prefix='taviro-faults-')
    if Campaign(options).execute():
        print(f'The start folders, the recorded calls and the folders of the first failing points are in '
              f'{options.work_dir}')
        return 1
    shutil.rmtree(options.work_dir)
    return 0


if __name__ == '__main__':
    sys.exit(main())
