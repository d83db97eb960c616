# Velmora: `make run` to try it, `make test` to check it. Both install what is missing first.
SHELL := /bin/bash
BUILD ?= build
JOBS ?= 2

# Each build tree's configure options, in one place: `$(call build,TREE[,TARGET])` configures
# $(BUILD)/TREE with them and builds it (or only TARGET there).
CMAKE_native := -DCMAKE_BUILD_TYPE=Debug
CMAKE_x64 := -DCMAKE_BUILD_TYPE=Release \
	-DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/toolchain-x86_64-w64-mingw32.cmake
CMAKE_x86 := -DCMAKE_BUILD_TYPE=Release \
	-DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/toolchain-i686-w64-mingw32.cmake
CMAKE_fuzz := -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMORA_FUZZ=ON \
	-DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
configure = cmake -S . -B $(BUILD)/$(1) -G Ninja $(CMAKE_$(1)) >/dev/null
build = $(call configure,$(1)) && cmake --build $(BUILD)/$(1) -j $(JOBS) $(if $(2),--target $(2))

.PHONY: all bootstrap native x64 x86 fuzz-build fuzz test test-native test-fuzz test-win test-dist run demo dist bench clean

all: x64 x86

bootstrap:
	@scripts/bootstrap

# Portable code and its unit tests, natively, under AddressSanitizer and UBSan.
native: bootstrap
	@$(call build,native)

# velmora.exe and the Windows tests, 64-bit (run here under Wine).
x64: bootstrap
	@$(call build,x64)

# velmora.exe and the Windows tests, 32-bit (run here under Wine's 32-bit loader, in a WoW64
# prefix of their own).
x86: bootstrap
	@$(call build,x86)

# The libFuzzer targets of the portable code, with clang, under ASan and UBSan. `make fuzz` runs
# each for FUZZ_SECONDS; the corpus grows in $(BUILD)/fuzz/corpus, and an input that fails is
# kept in $(BUILD)/fuzz/artifacts.
FUZZ_SECONDS ?= 60
FUZZ_TARGETS := fuzz_cgetcomma fuzz_paths fuzz_storebatch

fuzz-build: bootstrap
	@$(call build,fuzz)

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

# The same Windows tests for both architectures, one after the other (each tree has its own
# prefix and display; the tests of one tree share them and run one at a time). On a machine
# whose kernel runs no 32-bit programs the i686 tests cannot run at all: they are built, and
# the run says loudly that they were not run and why.
test-win: x64 x86
	ctest --test-dir $(BUILD)/x64 --output-on-failure
	@if why=$$(scripts/runs-32bit); then \
		ctest --test-dir $(BUILD)/x86 --output-on-failure; \
	else \
		echo "test-win: THE i686 WINDOWS TESTS WERE NOT RUN: $$why"; \
		echo "test-win: they are built in $(BUILD)/x86; run them where 32-bit programs run"; \
	fi

test: test-native test-fuzz test-win test-dist

# Starts velmora.exe under Wine in a virtual desktop window on $$DISPLAY.
run: x64
	@scripts/run $(BUILD)/x64

# The README's pictures, headlessly: a sample store, velmora.exe on its own Xvfb display, its
# menus and dialogs opened and photographed into $(BUILD)/demo and copied to docs/images; then
# the tray, a member menu and a settings dialog again at 150 % (docs/images/144dpi).
demo: x64
	@scripts/demo $(BUILD)/x64 $(BUILD)/demo docs/images
	@DEMO_DPI=144 scripts/demo $(BUILD)/x64 $(BUILD)/demo-144dpi docs/images/144dpi

# dist/velmora-<version>-win64.zip and -win32.zip: one folder velmora-<version>/ with the
# stripped Release program, its guide velmora.html, a readme and the licence. The same sources
# give the same bytes.
dist: bootstrap
	@$(call build,x64,velmora)
	@$(call build,x86,velmora)
	@scripts/dist $(BUILD)/x64 $(BUILD)/x86 $(BUILD)/dist-stage dist

# The archives of `make dist`, made twice from the same builds and checked by tests/dist/check-dist:
# one folder velmora-<version>/ with the program, its guide, the readme (UTF-8 with a byte-order
# mark, CRLF lines) and the licence, the fixed times, no extra fields, the same bytes both times.
test-dist: x64 x86
	@for run in first second; do \
		scripts/dist $(BUILD)/x64 $(BUILD)/x86 $(BUILD)/dist-check/stage $(BUILD)/dist-check/$$run \
			>/dev/null || exit 1; \
	done
	@tests/dist/check-dist . $(BUILD)/x64 $(BUILD)/x86 $(BUILD)/dist-check/first \
		$(BUILD)/dist-check/second

# Speed and memory of the program against a floor program of ours (bench/), under Wine; the
# table goes into docs/PERFORMANCE.md. BENCH_RUNS runs per figure (default 5).
bench: bootstrap
	@$(call build,x64,velmora_bench)
	@$(call build,x86,velmora_bench)
	@scripts/bench $(BUILD)

clean:
	rm -rf $(BUILD)
