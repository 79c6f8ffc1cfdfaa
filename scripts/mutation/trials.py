"""Trying the mutants: each planted in a copy, built, tested and taken out again, with a line
printed for each; whole files to each worker, so that a worker rebuilds one file after
another. Outcomes: "killed", "timed out", "survived", "equivalent", "not compiled"."""

import threading
import time


class Trials:
    def __init__(self, mutants, equivalent):
        self.mutants = mutants
        self.equivalent = equivalent  # the keys of the mutants judged equivalent
        self.results = {}  # id(mutant) -> outcome of stage 1 (or the only stage)
        self.stage2 = {}  # id(mutant) -> outcome of stage 2
        self.lock = threading.Lock()
        self.stop = threading.Event()
        self.done = 0
        self.threads = []
        self.failures = []

    def try_one(self, m, copy, test, label, total):
        """Plants the mutant in the copy, builds, tests and puts the file back."""
        t0 = time.monotonic()
        with copy.planted(m):
            result = test() if copy.compile(timeout=900) else "not compiled"
        with self.lock:
            self.done += 1
            if result == "survived" and m.key() in self.equivalent:
                result = "equivalent"
            print(f"[{label}{self.done}/{total}] {result:<12} {m.describe()} "
                  f"({time.monotonic() - t0:.1f} s)", flush=True)
        return result

    def stage1(self, copies, runners):
        """Every mutant, the copies working at once. On an interruption, wait() lets each
        worker finish the mutant it is trying."""
        queues = [[] for _ in copies]
        by_file = {}
        for m in self.mutants:
            by_file.setdefault(m.file, []).append(m)
        for group in sorted(by_file.values(), key=len, reverse=True):
            min(queues, key=len).extend(group)
        self.threads = [threading.Thread(target=self.work, args=job, daemon=True)
                        for job in zip(queues, copies, runners)]
        for t in self.threads:
            t.start()
        for t in self.threads:
            while t.is_alive():
                t.join(0.5)
        if self.failures:
            raise self.failures[0]

    def work(self, queue, copy, runner):
        try:
            for m in queue:
                if self.stop.is_set():
                    return
                self.results[id(m)] = self.try_one(m, copy, runner.test, "", len(self.mutants))
            copy.compile()  # the copy's build matching its sources again
        except Exception as e:  # the main thread tells it, in one line
            self.failures.append(e)
            self.stop.set()

    def wait(self):
        self.stop.set()
        for t in self.threads:
            t.join()

    def stage2_of(self, copy, runner):
        """The end-to-end walk for the survivors of stage 1, on prefixes made anew: stage 1's
        mutants may have left anything in theirs."""
        survivors = [m for m in self.mutants if self.results.get(id(m)) == "survived"]
        if not survivors:
            return
        print(f"Stage 2: the end-to-end walk for {len(survivors)} survivors")
        runner.restart_sessions(fresh=True)
        if runner.test_stage2() != "survived":
            print("mutate: the end-to-end walk fails without any mutant; stage 2 skipped")
            return
        self.done = 0
        for m in survivors:
            self.stage2[id(m)] = self.try_one(m, copy, runner.test_stage2, "stage 2 ",
                                              len(survivors))
        copy.compile()
