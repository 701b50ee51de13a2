#!/usr/bin/env python3
"""Seeded faults: applies each fault of tools/faults.txt in turn to one built
tree, rebuilds what it touches, runs the whole suite, and reports the faults
that no test catches. Slow (a build and a suite run per fault), so it is not
part of the test command.

    tools/mutate.py [--check] [--build DIR] [--tests REGEX] [NUMBER...]

--check only verifies that every fault's text occurs exactly once. NUMBERs
pick faults by their place in the list (1 is the first). --tests runs only
the ctest entries that match (unit_tests, say): what they alone catch. The tree is set up
and built first (tools/build.sh), like the test command does.
"""
import argparse, os, re, subprocess, sys, time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def read_faults(path):
    faults, lines = [], [l.rstrip('\n') for l in open(path, encoding='utf-8')]
    for i, line in enumerate(lines):
        if line.startswith('@ '):
            file, why = (part.strip() for part in line[2:].split('|', 1))
            old, new = lines[i + 1], lines[i + 2]
            assert old.startswith('-') and new.startswith('+'), f'fault at line {i + 1}'
            faults.append((file, why, old[1:], new[1:]))
    return faults


def run(command, log, timeout=None):
    with open(log, 'a') as out:
        return subprocess.run(command, cwd=ROOT, shell=True, executable='/bin/bash', stdout=out,
                              stderr=subprocess.STDOUT, timeout=timeout).returncode


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('--check', action='store_true')
    parser.add_argument('--build', default='build')
    parser.add_argument('--tests', default='')
    parser.add_argument('numbers', nargs='*', type=int)
    args = parser.parse_args()
    faults = read_faults(os.path.join(ROOT, 'tools', 'faults.txt'))
    chosen = args.numbers or range(1, len(faults) + 1)
    bad = [n for n in chosen if open(os.path.join(ROOT, faults[n - 1][0]), encoding='utf-8').read().count(faults[n - 1][2]) != 1]
    for n in bad:
        print(f'{n}: the text does not occur exactly once in {faults[n - 1][0]}: {faults[n - 1][2].strip()}')
    if bad or args.check:
        print(f'{len(faults)} faults, {len(bad)} with a text that does not occur exactly once')
        return 1 if bad else 0

    os.makedirs(os.path.join(ROOT, args.build), exist_ok=True)
    log = os.path.join(ROOT, args.build, 'mutate.log')
    open(log, 'w').close()
    # What the tests run; the benchmarks are left as they are.
    build = f'cmake --build {args.build} -j{os.cpu_count()} --target VELK Wendrix unit_tests app_tests dpi_tests e2e_tests'
    # One display and one wineserver for every run, as the test command has.
    session = (f'BUILD_DIR={ROOT}/{args.build}; . tools/wine-env.sh; . tools/display.sh; start_display; '
               f'wineserver -p 2>/dev/null || true; wine {args.build}/wine_warmup.exe; ')
    if run(f'tools/build.sh >/dev/null', log) != 0 or run(build, log) != 0:
        print(f'the tree does not build: see {log}')
        return 1
    suite = (session + f'ctest --test-dir {args.build} --stop-on-failure --timeout 120 -E "^(format|layers)$"'
             + (f' -R "{args.tests}"' if args.tests else '') + '; '
             'status=$?; wineserver -k; stop_display; exit $status')
    # Without a fault the suite passes, or nothing it says about a fault counts.
    if run(suite, log) != 0:
        print(f'the suite fails without a fault: see {log}')
        return 1
    killed, survived, stillborn = [], [], []
    try:
        for n in chosen:
            file, why, old, new = faults[n - 1]
            path = os.path.join(ROOT, file)
            original = open(path, encoding='utf-8').read()
            start = time.time()
            try:
                open(path, 'w', encoding='utf-8').write(original.replace(old, new))
                if run(build, log) != 0:
                    verdict = 'stillborn'
                else:
                    # The first failing test is enough to catch the fault.
                    verdict = 'killed' if run(suite, log) != 0 else 'SURVIVED'
            finally:
                open(path, 'w', encoding='utf-8').write(original)
            {'killed': killed, 'SURVIVED': survived, 'stillborn': stillborn}[verdict].append(n)
            print(f'{n:3} {verdict:9} {time.time() - start:5.0f} s  {file}: {why}', flush=True)
    finally:
        run(build, log)
    tried = len(killed) + len(survived)
    print(f'killed {len(killed)} of {tried} ({100 * len(killed) / max(tried, 1):.0f} %); '
          f'survived: {survived or "none"}; did not build: {stillborn or "none"}')
    return 0


if __name__ == '__main__':
    sys.exit(main())
