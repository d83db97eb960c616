# Velmora: `make run` to try it, `make test` to check it. Both install what is missing first.
SHELL := /bin/bash
BUILD ?= build
JOBS ?= 2

CROSS_X64 := -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/toolchain-x86_64-w64-mingw32.cmake
CROSS_X86 := -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/toolchain-i686-w64-mingw32.cmake

.PHONY: all bootstrap native x64 x86 test test-native test-win run clean

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

test-native: native
	ctest --test-dir $(BUILD)/native --output-on-failure -j $(JOBS)

test-win: x64
	ctest --test-dir $(BUILD)/x64 --output-on-failure

test: x86 test-native test-win

# Starts velmora.exe under Wine in a virtual desktop window on $$DISPLAY.
run: x64
	@scripts/run $(BUILD)/x64

clean:
	rm -rf $(BUILD)
