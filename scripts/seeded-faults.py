#!/usr/bin/env python3
"""Seeds known faults into the code one at a time and reports which tests catch each.

Each fault in scripts/seeded-faults.txt replaces one exact piece of a source file (it must occur
exactly once). For every fault the script applies it, rebuilds the programs and the test programs
in a build folder of its own, runs the tests, records the tests that failed and puts the file back.
A fault that no test catches is a hole in the suite. Usage:

    scripts/seeded-faults.py [--build DIR] [--only ID[,ID...]] [--ctest-args ...]

Prints one table row per fault: id, area, kind, the change, and the tests that caught it.
"""
import argparse, os, re, signal, subprocess, sys, time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def parse_faults(path):
    """Blocks of: '## ID area kind: description', then 'file: PATH', '--- old', text, '+++ new',
    text, '==='."""
    faults, cur, mode = [], None, None
    for line in open(path, encoding='utf-8').read().split('\n'):
        if line.startswith('## '):
            head, _, desc = line[3:].partition(':')
            fid, area, kind = head.split(None, 2)
            cur = {'id': fid, 'area': area, 'kind': kind, 'desc': desc.strip(), 'old': [], 'new': []}
            mode = None
        elif cur is None:
            continue
        elif line.startswith('file: ') and mode is None:
            cur['file'] = line[6:].strip()
        elif line == '--- old':
            mode = 'old'
        elif line == '+++ new':
            mode = 'new'
        elif line == '===':
            cur['old'] = '\n'.join(cur['old'])
            cur['new'] = '\n'.join(cur['new'])
            faults.append(cur)
            cur, mode = None, None
        elif mode:
            cur[mode].append(line)
    return faults


def run(cmd, cwd, timeout=None):
    return subprocess.run(cmd, cwd=cwd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                          text=True, timeout=timeout)


def main():
    # A stop request must still put the seeded file back (the finally below).
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(1))
    ap = argparse.ArgumentParser()
    ap.add_argument('--build', default=os.path.join(ROOT, 'build-faults'))
    ap.add_argument('--faults', default=os.path.join(ROOT, 'scripts', 'seeded-faults.txt'))
    ap.add_argument('--only', default='')
    ap.add_argument('--ctest-args', nargs=argparse.REMAINDER, default=[])
    args = ap.parse_args()

    faults = parse_faults(args.faults)
    if args.only:
        wanted = set(args.only.split(','))
        faults = [f for f in faults if f['id'] in wanted]
    for f in faults:
        text = open(os.path.join(ROOT, f['file']), encoding='utf-8').read()
        if text.count(f['old']) != 1:
            sys.exit('%s: the text to replace occurs %d times in %s' % (f['id'], text.count(f['old']), f['file']))

    env = dict(os.environ, QT_QPA_PLATFORM='offscreen')
    cfg = run(['cmake', '-S', ROOT, '-B', args.build, '-DCMAKE_BUILD_TYPE=RelWithDebInfo'] +
              (['-DCMAKE_CXX_COMPILER_LAUNCHER=ccache'] if os.path.exists('/usr/bin/ccache') else []), ROOT)
    if cfg.returncode:
        sys.exit(cfg.stdout)
    listing = run(['ctest', '-N'], args.build).stdout
    tests = re.findall(r'Test\s+#\d+: (\S+)', listing)
    # The C++ test programs are the targets of the same name; the rest (man pages, package) do not
    # look at C++ code.
    cxx = [t for t in tests if t.startswith('tst_') or t.startswith('fuzz_replay_')]
    targets = [t.replace('fuzz_replay_', 'replay_') for t in cxx] + ['TAMIRAdesk', 'servicetool', 'tamira-emulator', 'tamira_help']

    print('| Id | Area | Kind | Fault | Caught by |')
    print('|---|---|---|---|---|')
    # The suite must pass untouched first, or a flaky test would pass for a catch.
    baseline = {'id': '-', 'area': '-', 'kind': '-', 'desc': 'none (the suite as it is)',
                'file': faults[0]['file'] if faults else 'CMakeLists.txt', 'old': '', 'new': ''}
    for f in [baseline] + faults:
        path = os.path.join(ROOT, f['file'])
        original = open(path, encoding='utf-8').read()
        try:
            if f['old']:
                open(path, 'w', encoding='utf-8').write(original.replace(f['old'], f['new']))
            b = run(['cmake', '--build', args.build, '-j', str(os.cpu_count()), '--target'] + targets, ROOT)
            if b.returncode:
                caught = 'does not compile'
            else:
                t0 = time.time()
                r = run(['ctest', '-j', str(os.cpu_count()), '--timeout', '120', '-R',
                         '^(' + '|'.join(cxx) + ')$'] + args.ctest_args, args.build)
                failed = re.findall(r'\d+ - (\S+) \(', r.stdout)
                caught = ', '.join(sorted(failed)) if failed else ('passes' if f is baseline else 'NOT CAUGHT')
        finally:
            open(path, 'w', encoding='utf-8').write(original)
            os.utime(path)
        print('| %s | %s | %s | %s | %s |' % (f['id'], f['area'], f['kind'], f['desc'], caught), flush=True)
    # Leave the build folder matching the sources.
    run(['cmake', '--build', args.build, '-j', str(os.cpu_count()), '--target'] + targets, ROOT)


if __name__ == '__main__':
    main()
