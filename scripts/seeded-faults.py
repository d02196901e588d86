#!/usr/bin/env python3
"""Seeds known faults into the code one at a time and reports which test catches each.

Each fault in scripts/seeded-faults.txt replaces one exact piece of a source file (it must occur
exactly once). For every fault the script applies it, rebuilds in a build folder of its own (with
warnings as errors, as CI builds: a fault that does not build is caught by the build, not by the
suite, and is reported as such), runs the tests whose programs the change reached, records the
test that failed and puts the file back. A fault that no test catches is a hole in the suite.

    scripts/seeded-faults.py [--build DIR] [--only ID[,ID...]] [--report FILE] [--every-test] [-j N]
    scripts/seeded-faults.py --check

--check only reads: every fault must still apply to the code as it stands (a ctest runs it, so that
a change to the code that moves a fault's text is seen at once, not by the next nightly run).

The untouched suite runs first and must pass; its times order the later runs. A fault's tests
run N at a time (default: the number of processors): those that caught it in the last report
first, then the shortest first; the run stops at the first failure unless --every-test is given.
Prints one table row per fault (id, rule, the change, the test and its failing functions); with
--report the same table, a summary and the time taken go to FILE as well. The exit status is 0
only when every fault built and was caught.
"""
import argparse, hashlib, json, os, re, shutil, signal, subprocess, sys, tempfile, time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
# The programs other tests start (the shell tests, a whole-program test, the emulator of nearly
# every test): a change that reaches one of them reaches those tests too.
PROGRAMS = ('TAMIRAdesk', 'servicetool', 'tamira-emulator')


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


class Test:
    def __init__(self, entry, build):
        self.name = entry['name']
        props = {p['name']: p['value'] for p in entry.get('properties', [])}
        self.command = entry['command']
        self.cwd = props.get('WORKING_DIRECTORY', build)
        self.env = dict(os.environ)
        for assignment in props.get('ENVIRONMENT', []):
            key, _, value = assignment.partition('=')
            self.env[key] = value
        self.env.setdefault('QT_QPA_PLATFORM', 'offscreen')
        self.timeout = float(props.get('TIMEOUT', 300))
        self.labels = props.get('LABELS', [])
        # What the test runs from the build: a test program (or one run by xvfb-run), or, for
        # a script, the programs it starts.
        built = [w for w in self.command if os.path.isfile(w) and os.path.abspath(w).startswith(build + os.sep)]
        self.script = not built and any(w.endswith('.sh') for w in self.command)
        self.inputs = built


def list_tests(build):
    data = json.loads(run(['ctest', '--show-only=json-v1'], build).stdout)
    tests = [Test(t, build) for t in data['tests']]
    # Packaging tests look at installed files, layer tests at includes: no one-line change in a
    # source file's code reaches them.
    return [t for t in tests if 'packaging' not in t.labels and (t.inputs or t.script)]


def digests(paths, known=None):
    """The contents of each program, as a size, a time and a digest. A program relinked with the
    same objects comes out the same byte for byte: only what a change really reached differs."""
    out = {}
    for p in paths:
        st = os.stat(p)
        if known and known[p][:2] == (st.st_size, st.st_mtime_ns):
            out[p] = known[p]
            continue
        h = hashlib.sha1()
        with open(p, 'rb') as f:
            for block in iter(lambda: f.read(1 << 20), b''):
                h.update(block)
        out[p] = (st.st_size, st.st_mtime_ns, h.hexdigest())
    return out


def failures(output):
    """The Qt Test functions (with their rows) that failed, or how the program ended."""
    found = []
    for m in re.finditer(r'^(?:FAIL!|XPASS|QFATAL) *: \S+?::(\S+?\(.*?\))', output, re.M):
        if m.group(1) not in found:
            found.append(m.group(1))
    if not found and re.search(r'Received signal|Segmentation fault|Aborted|AddressSanitizer', output):
        found.append('crashed')
    return found


def run_tests(tests, jobs, stop_first):
    """Runs `tests` in order, `jobs` at a time; returns [(test name, what failed)], and the
    seconds each test that ran to its end took."""
    pending, running, failed, seconds = list(tests), [], [], {}
    while pending or running:
        while pending and len(running) < jobs and not (stop_first and failed):
            t = pending.pop(0)
            log = tempfile.TemporaryFile(mode='w+')
            p = subprocess.Popen(t.command, cwd=t.cwd, env=t.env, stdout=log, stderr=subprocess.STDOUT,
                                 stdin=subprocess.DEVNULL, start_new_session=True, preexec_fn=default_signals)
            running.append((p, t, log, time.time()))
        time.sleep(0.05)
        for entry in list(running):
            p, t, log, t0 = entry
            timed_out = p.poll() is None and time.time() - t0 > t.timeout
            if p.poll() is None and not timed_out:
                continue
            if timed_out:
                stop(p)
            running.remove(entry)
            log.seek(0)
            output = log.read()
            log.close()
            if p.returncode or timed_out:
                failed.append((t.name, ['timed out'] if timed_out else failures(output)))
            else:
                seconds[t.name] = time.time() - t0
        if stop_first and failed:
            for p, _, log, _ in running:
                stop(p)
                log.close()
            break
    return failed, seconds


def default_signals():
    """The tests send stop signals and expect their default effect, which a script started in the
    background or under nohup would otherwise pass on ignored."""
    for sig in (signal.SIGHUP, signal.SIGINT, signal.SIGQUIT, signal.SIGTERM):
        signal.signal(sig, signal.SIG_DFL)


def stop(p):
    """Ends a test and everything it started (its own process group)."""
    for sig in (signal.SIGTERM, signal.SIGKILL):
        try:
            os.killpg(p.pid, sig)
        except ProcessLookupError:
            return
        try:
            p.wait(5)
            return
        except subprocess.TimeoutExpired:
            pass


def caught_text(failed):
    if not failed:
        return ''
    parts = []
    for name, where in failed:
        shown = where[:3] + (['...'] if len(where) > 3 else [])
        parts.append(name + (' (' + '; '.join(shown) + ')' if shown else ''))
    return ', '.join(parts).replace('|', '\\|')


def previous_catchers(path):
    """Fault id -> the test that caught it, from an earlier report."""
    out = {}
    if path and os.path.exists(path):
        for line in open(path, encoding='utf-8'):
            cells = [c.strip() for c in re.split(r'(?<!\\)\|', line)]
            if len(cells) > 5 and re.match(r'^[A-Z]+\d+$', cells[1]):
                out[cells[1]] = cells[4].split(' ')[0].rstrip(',')
    return out


def main():
    # A stop request must still put the seeded file back (the finally below).
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(1))
    ap = argparse.ArgumentParser()
    ap.add_argument('--build', default=os.path.join(ROOT, 'build-faults'))
    ap.add_argument('--faults', default=os.path.join(ROOT, 'scripts', 'seeded-faults.txt'))
    ap.add_argument('--only', default='')
    ap.add_argument('--report', default='')
    ap.add_argument('--every-test', action='store_true', help='run every test the change reached')
    ap.add_argument('-j', type=int, default=os.cpu_count())
    ap.add_argument('--check', action='store_true',
                    help='only check that every fault still applies to the code (no build, no tests)')
    args = ap.parse_args()
    build = os.path.abspath(args.build)

    faults = parse_faults(args.faults)
    if args.only:
        wanted = args.only.split(',')
        unknown = set(wanted) - {f['id'] for f in faults}
        if unknown:
            sys.exit('no such fault: ' + ', '.join(sorted(unknown)))
        faults = [f for f in faults if f['id'] in wanted]
    ids = [f['id'] for f in faults]
    if len(set(ids)) != len(ids):
        sys.exit('a fault id is given twice')
    for f in faults:
        text = open(os.path.join(ROOT, f['file']), encoding='utf-8').read()
        if text.count(f['old']) != 1:
            sys.exit('%s: the text to replace occurs %d times in %s' % (f['id'], text.count(f['old']), f['file']))
    if args.check:
        print('%d faults, each replaces text that occurs once in its file' % len(faults))
        return

    before = previous_catchers(args.report)
    started = time.time()
    # Each fault relinks every program its change reaches; lld does that in a quarter of the time.
    cfg = run(['cmake', '-S', ROOT, '-B', build, '-DCMAKE_BUILD_TYPE=RelWithDebInfo', '-DTAMIRA_WERROR=ON'] +
              (['-DCMAKE_CXX_COMPILER_LAUNCHER=ccache'] if shutil.which('ccache') else []) +
              (['-DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=lld'] if shutil.which('ld.lld') else []), ROOT)
    if cfg.returncode:
        sys.exit(cfg.stdout)
    b = run(['cmake', '--build', build, '-j', str(os.cpu_count())], ROOT)
    if b.returncode:
        sys.exit('The untouched sources do not build:\n' + b.stdout[-3000:])
    tests = list_tests(build)
    programs = [os.path.join(build, 'bin', p) for p in PROGRAMS]
    watched = sorted({w for t in tests for w in t.inputs} | set(programs))
    # Per fault only what the tests run is built (no benchmarks, no manual).
    compile_tests = ['cmake', '--build', build, '-j', str(os.cpu_count()), '--target'] + \
        sorted({os.path.basename(w) for w in watched})
    untouched = digests(watched)
    # A test program that starts one of the programs (tst_servicetool runs servicetool) holds
    # its path, given at compile time: a change that reaches the program reaches the test too.
    for t in tests:
        t.starts = set()
        for w in t.inputs:
            with open(w, 'rb') as f:
                content = f.read()
            t.starts |= {p for p in programs if p.encode() in content}

    # The suite must pass untouched first, or a flaky test would pass for a catch.
    failed, durations = run_tests(sorted(tests, key=lambda t: t.name), args.j, False)
    if failed:
        sys.exit('The untouched suite fails: ' + caught_text(failed))

    rows = ['| Id | Rule | Fault | Caught by (the first test to fail, and its failing functions) | s |',
            '|---|---|---|---|---|']
    print('\n'.join(rows), flush=True)
    results = {'caught': 0, 'NOT CAUGHT': 0, 'does not compile': 0}
    for f in faults:
        t0 = time.time()
        path = os.path.join(ROOT, f['file'])
        original = open(path, encoding='utf-8').read()
        try:
            open(path, 'w', encoding='utf-8').write(original.replace(f['old'], f['new']))
            b = run(compile_tests, ROOT)
            if b.returncode:
                caught, outcome = 'does not compile', 'does not compile'
            else:
                now = digests(watched, untouched)
                changed = {p for p in watched if now[p][2] != untouched[p][2]}
                untouched.update({p: (now[p][0], now[p][1], untouched[p][2]) for p in watched if p not in changed})
                # The emulator stands behind nearly every test; the programs behind the scripts
                # and the whole-program tests.
                everything = programs[2] in changed
                reached = [t for t in tests
                           if everything or set(t.inputs) & changed or t.starts & changed
                           or (changed & set(programs) and (t.script or 'e2e' in t.labels))]
                # The last catcher first, then the shortest first.
                reached.sort(key=lambda t: (t.name != before.get(f['id']), durations.get(t.name, 1e9), t.name))
                failed, _ = run_tests(reached, args.j, not args.every_test)
                caught = caught_text(failed) if failed else 'NOT CAUGHT'
                outcome = 'caught' if failed else 'NOT CAUGHT'
        finally:
            open(path, 'w', encoding='utf-8').write(original)
            os.utime(path)
        results[outcome] += 1
        row = '| %s | %s | %s | %s | %d |' % (f['id'], f['area'], f['desc'].replace('|', '\\|'), caught,
                                             time.time() - t0)
        rows.append(row)
        print(row, flush=True)
    # Leave the build folder matching the sources.
    run(compile_tests, ROOT)

    minutes = (time.time() - started) / 60
    summary = ('%d faults: %d caught, %d not caught, %d do not compile. %.0f minutes on %d processors, the '
               'build and the untouched suite included.' % (len(faults), results['caught'], results['NOT CAUGHT'],
                                                            results['does not compile'], minutes, os.cpu_count()))
    print(summary)
    if args.report:
        with open(args.report, 'w', encoding='utf-8') as out:
            out.write('# Seeded faults\n\nWritten by `scripts/seeded-faults.py` (see the README, *Seeded faults*): '
                      'each fault of `scripts/seeded-faults.txt` seeded alone, the tests its change reached run '
                      'until the first one failed.\n\n' + summary + '\n\n' + '\n'.join(rows) + '\n')
    sys.exit(0 if results['caught'] == len(faults) else 1)


if __name__ == '__main__':
    main()
