# Velmora: `make run` to try it, `make test` to check it. Both install what is missing first.
SHELL := /bin/bash
BUILD ?= build
JOBS ?= 2

CROSS_X64 := -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/toolchain-x86_64-w64-mingw32.cmake
CROSS_X86 := -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/toolchain-i686-w64-mingw32.cmake

.PHONY: all bootstrap native x64 x86 fuzz-build fuzz test test-native test-fuzz test-win run demo dist bench clean

all: x64 x86

bootstrap:
	@scripts/bootstrap

# Portable code and its unit tests, natively, under AddressSanitizer and UBSan.
native: bootstrap
	@cmake -S . -B $(BUILD)/native -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
	@cmake --build $(BUILD)/native -j $(JOBS)

# velmora.exe and the Windows tests, 64-bit (run here under Wine).
x64: bootstrap
	@cmake -S . -B $(BUILD)/x64 -G Ninja -DCMAKE_BUILD_TYPE=Release $(CROSS_X64) >/dev/null
	@cmake --build $(BUILD)/x64 -j $(JOBS)

# velmora.exe, 32-bit (built and linked here; there is no 32-bit Wine to run it).
x86: bootstrap
	@cmake -S . -B $(BUILD)/x86 -G Ninja -DCMAKE_BUILD_TYPE=Release $(CROSS_X86) >/dev/null
	@cmake --build $(BUILD)/x86 -j $(JOBS) --target velmora

# The libFuzzer targets of the portable code, with clang, under ASan and UBSan. `make fuzz` runs
# each for FUZZ_SECONDS; the corpus grows in $(BUILD)/fuzz/corpus, and an input that fails is
# kept in $(BUILD)/fuzz/artifacts.
FUZZ_SECONDS ?= 60
FUZZ_TARGETS := fuzz_cgetcomma fuzz_paths fuzz_storebatch

fuzz-build: bootstrap
	@cmake -S . -B $(BUILD)/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMORA_FUZZ=ON \
		-DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
	@cmake --build $(BUILD)/fuzz -j $(JOBS)

fuzz: fuzz-build
	@mkdir -p $(BUILD)/fuzz/artifacts
	@for t in $(FUZZ_TARGETS); do \
		mkdir -p $(BUILD)/fuzz/corpus/$$t; \
		echo "fuzz: $$t for $(FUZZ_SECONDS) s"; \
		if ! $(BUILD)/fuzz/bin/$$t -max_total_time=$(FUZZ_SECONDS) \
			-artifact_prefix=$(BUILD)/fuzz/artifacts/$$t- \
			$(BUILD)/fuzz/corpus/$$t tests/fuzz/seeds/$$t >$(BUILD)/fuzz/$$t.log 2>&1; then \
			tail -n 60 $(BUILD)/fuzz/$$t.log; echo "fuzz: $$t failed (log: $(BUILD)/fuzz/$$t.log)"; \
			exit 1; \
		fi; \
		grep -E "^Done|^#[0-9]+.*DONE" $(BUILD)/fuzz/$$t.log | tail -n 1; \
	done

# A short run of every fuzz target, as part of `make test`.
test-fuzz:
	@$(MAKE) --no-print-directory fuzz FUZZ_SECONDS=10

test-native: native
	ctest --test-dir $(BUILD)/native --output-on-failure -j $(JOBS)

test-win: x64
	ctest --test-dir $(BUILD)/x64 --output-on-failure

test: x86 test-native test-fuzz test-win

# Starts velmora.exe under Wine in a virtual desktop window on $$DISPLAY.
run: x64
	@scripts/run $(BUILD)/x64

# The README's pictures, headlessly: a sample store, velmora.exe on its own Xvfb display, its
# menus and dialogs opened and photographed into $(BUILD)/demo and copied to docs/images.
demo: x64
	@scripts/demo $(BUILD)/x64 $(BUILD)/demo docs/images

# dist/velmora-<version>-win64.zip and -win32.zip: the stripped Release programs, a readme and
# the licence. The same sources give the same bytes.
dist: bootstrap
	@cmake -S . -B $(BUILD)/x64 -G Ninja -DCMAKE_BUILD_TYPE=Release $(CROSS_X64) >/dev/null
	@cmake --build $(BUILD)/x64 -j $(JOBS) --target velmora
	@cmake -S . -B $(BUILD)/x86 -G Ninja -DCMAKE_BUILD_TYPE=Release $(CROSS_X86) >/dev/null
	@cmake --build $(BUILD)/x86 -j $(JOBS) --target velmora
	@scripts/dist $(BUILD)/x64 $(BUILD)/x86 $(BUILD)/dist-stage dist

# Speed and memory of the program against a floor program of ours (bench/), under Wine; the
# table goes into docs/PERFORMANCE.md. BENCH_RUNS runs per figure (default 5).
bench: bootstrap
	@cmake -S . -B $(BUILD)/x64 -G Ninja -DCMAKE_BUILD_TYPE=Release $(CROSS_X64) >/dev/null
	@cmake --build $(BUILD)/x64 -j $(JOBS) --target velmora_bench
	@cmake -S . -B $(BUILD)/x86 -G Ninja -DCMAKE_BUILD_TYPE=Release $(CROSS_X86) >/dev/null
	@cmake --build $(BUILD)/x86 -j $(JOBS) --target velmora
	@scripts/bench $(BUILD)

clean:
	rm -rf $(BUILD)
