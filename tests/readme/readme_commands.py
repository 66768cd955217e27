#!/usr/bin/python3
"""Runs the commands of the README as a reader would, so that it stays true.

The README promises that every command in it works as written, from a folder
that holds the files it names. This takes its command blocks (the indented
ones, and the fenced Python ones) in order and runs them twice:

  1. after `make build`: the programs of the optimised build on the PATH, its
     Python module on PYTHONPATH;
  2. after `cmake --install build --prefix ~/.local`, run as the README writes
     it with HOME a fresh folder: the installed programs on the PATH, and the
     module found by Python in ~/.local, as Debian's python3 finds it.

Each run has a folder of its own with the files the README names (notes.txt,
chapter1.txt, chapter2.txt, my-words.txt), cut from the shared corpus. Every
command must exit with 0; a Python line that shows its result in a comment,
`# 'text'` or `# [...]` beside it (a remark may follow after a comma) or on
the comment lines below it, must give that result, and a print() must print
it. The lines of SKIPPED are not run, each for the reason beside it.
"""
import argparse
import ast
import os
import re
import shutil
import subprocess
import sys
import tempfile

# What the README shows but this test does not run, and why.
SKIPPED = [
    (r'^make (run|test|web|npm|extension|package|bench|fuzz)\b', 'builds or tests the project itself; make test runs this test'),
    (r'^npm install ', "installs the package make npm builds; the package's own test runs its example"),
    (r'^make build\b', 'the build this test runs after'),
    (r'\[OPTION\]', 'a synopsis, not a command'),
    (r'^(find_package|target_link_libraries|target_compile_definitions)\(', 'CMake, built by the install test'),
    (r'^cmake --preset', 'the test build itself'),
    (r'^xdg-open ', 'needs a desktop'),
    (r'/var/www/', 'needs a web server'),
    (r'^sudo ', 'installs into the system'),
    (r'^(/usr/bin/)?python3 -m venv|^~/venv/', 'builds the module again with pip, a minute of its own'),
    (r'^tests/run/golden/regenerate\.py ', "rewrites the golden files; the golden test checks what it wrote"),
]
# Commands that work on the clone itself, run from its top folder.
IN_CLONE = re.compile(r'^cmake ')
INSTALL = re.compile(r'^cmake --install ')
# A result shown beside its line: a text or a list, then perhaps ", a remark".
PYTHON_RESULT = re.compile(r"^(?P<expression>.*?)\s+#\s*(?P<result>'[^']*'|\[.*\])(?:,\s.*)?\s*$")
# A result shown on the comment lines below its line, wrapped after a comma.
RESULT_BELOW = re.compile(r"^#\s*(?=['\[])(?P<result>.*)$")
RESULT_GOES_ON = re.compile(r"^#\s{2,}(?P<result>\S.*)$")


def command_blocks(readme):
    """(kind, lines) in order: kind "shell" or "python"."""
    blocks, lines, fenced, previous_blank = [], [], None, True
    for line in readme.splitlines():
        if fenced is not None:
            if line.startswith('```'):
                blocks.append((fenced, lines))
                lines, fenced = [], None
            else:
                lines.append(line)
            continue
        if line.startswith('```'):
            fenced = line[3:].strip() or 'text'
            lines = []
            continue
        if line.startswith('    ') and (lines or previous_blank):
            lines.append(line[4:])
        elif lines:
            blocks.append(('shell', lines))
            lines = []
        previous_blank = not line.strip()
    if lines:
        blocks.append(('shell', lines))
    return [(kind, lines) for kind, lines in blocks if kind in ('shell', 'python')]


def skip_reason(command):
    for pattern, reason in SKIPPED:
        if re.search(pattern, command):
            return reason
    return None


def python_script(lines):
    """The block as a script that checks every result it shows."""
    script, at = [], 0
    while at < len(lines):
        line = lines[at]
        at += 1
        beside = PYTHON_RESULT.match(line)
        below = RESULT_BELOW.match(lines[at]) if at < len(lines) and line.strip() else None
        if line.lstrip().startswith('#') or not (beside or below):
            script.append(line)
            continue
        if beside:
            expression, shown = beside['expression'], beside['result']
        else:
            expression, shown = line, below['result']
            at += 1
            while at < len(lines) and RESULT_GOES_ON.match(lines[at]):
                shown += ' ' + RESULT_GOES_ON.match(lines[at])['result']
                at += 1
        script += checked(expression, shown)
    return '\n'.join(script) + '\n'


def checked(expression, shown):
    """Lines that compute `expression` and check it gives what `shown` shows:
    a Python literal equal to it, or else its repr, as for a FinishedWord."""
    indent = expression[:len(expression) - len(expression.lstrip())]
    value, printed = expression.strip(), False
    call = ast.parse(value).body[0]
    if (isinstance(call, ast.Expr) and isinstance(call.value, ast.Call) and isinstance(call.value.func, ast.Name)
            and call.value.func.id == 'print' and len(call.value.args) == 1 and not call.value.keywords):
        value, printed = ast.get_source_segment(value, call.value.args[0]), True
    try:
        compared = f'__result == {ast.literal_eval(shown)!r}'
    except (ValueError, SyntaxError):
        compared = f'repr(__result) == {shown!r}'
    lines = [f'__result = {value}',
             f'assert {compared}, repr(__result) + " from " + {value!r}']
    if printed:
        lines.append('print(__result)')
    return [indent + line for line in lines]


def make_files(folder, corpus):
    with open(corpus, encoding='utf-8') as text:
        lines = [line for line in text.read().splitlines() if line.strip()]
    for name, part in [('notes.txt', lines[:40]), ('chapter1.txt', lines[40:80]), ('chapter2.txt', lines[80:120])]:
        with open(os.path.join(folder, name), 'w', encoding='utf-8') as file:
            file.write('\n'.join(part) + '\n')
    with open(os.path.join(folder, 'my-words.txt'), 'w', encoding='utf-8') as file:
        file.write('# my words\nਜਲੰਧਰ\nਅੰਮ੍ਰਿਤਸਰ\nਲੁਧਿਆਣਾ\nਪਟਿਆਲਾ\n')


def run_blocks(blocks, route, environment, user_folder, clone):
    failures = []
    if route == 'install':
        # The install comes first, whatever place the README gives it.
        install = next(line.strip() for kind, lines in blocks if kind == 'shell'
                       for line in lines if INSTALL.search(line.strip()))
        failures += run_one(['/bin/sh', '-c', install], clone, environment, route, install)
    for kind, lines in blocks:
        if kind == 'python':
            command, cwd = ['/usr/bin/python3', '-c', python_script(lines)], user_folder
            shown = 'the Python block beginning ' + repr(lines[0])
        else:
            for line in lines:
                command_text = line.strip()
                if not command_text or command_text.startswith('#'):
                    continue
                reason = skip_reason(command_text)
                if reason or (INSTALL.search(command_text) and route != 'install'):
                    continue
                cwd = clone if IN_CLONE.search(command_text) else user_folder
                failures += run_one(['/bin/sh', '-c', command_text], cwd, environment, route, command_text)
            continue
        failures += run_one(command, cwd, environment, route, shown)
    return failures


def run_one(command, cwd, environment, route, shown):
    done = subprocess.run(command, cwd=cwd, env=environment, stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                          timeout=300)
    if done.returncode == 0:
        print(f'{route}: ok: {shown}')
        return []
    print(f'{route}: FAILED ({done.returncode}): {shown}\n{done.stderr.decode("utf-8", "replace")}')
    return [f'{route}: {shown}']


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument('--readme', required=True)
    parser.add_argument('--build', required=True, help='the optimised build, as make build leaves it')
    parser.add_argument('--corpus', required=True)
    options = parser.parse_args()
    with open(options.readme, encoding='utf-8') as readme:
        blocks = command_blocks(readme.read())

    failures = []
    with tempfile.TemporaryDirectory(prefix='taviro-readme-') as work:
        # The clone as the README's commands see it: the build in build/.
        clone = os.path.join(work, 'clone')
        os.makedirs(clone)
        os.symlink(os.path.abspath(options.build), os.path.join(clone, 'build'))
        base = {key: value for key, value in os.environ.items() if key not in ('PYTHONPATH', 'PYTHONHOME')}
        base['LC_ALL'] = 'C.UTF-8'
        routes = {
            'build': {**base, 'HOME': os.path.join(work, 'home-build'),
                      'PATH': os.path.join(os.path.abspath(options.build), 'bin') + os.pathsep + base['PATH'],
                      'PYTHONPATH': os.path.join(os.path.abspath(options.build), 'python')},
            'install': {**base, 'HOME': os.path.join(work, 'home-install'),
                        'PATH': os.path.join(work, 'home-install', '.local', 'bin') + os.pathsep + base['PATH']},
        }
        for route, environment in routes.items():
            os.makedirs(environment['HOME'])
            user_folder = os.path.join(work, 'user-' + route)
            os.makedirs(user_folder)
            make_files(user_folder, options.corpus)
            failures += run_blocks(blocks, route, environment, user_folder, clone)
    if failures:
        print('\nREADME commands that do not work as written:\n  ' + '\n  '.join(failures))
        return 1
    return 0


if __name__ == '__main__':
    sys.exit(main())
