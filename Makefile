# Quorvel: two entry points for a fresh Debian 12 machine (run as root).
#   make run    installs what is missing, builds, and runs Quorvel under Wine
#   make test   installs what is missing, builds everything, runs every test
# Other targets: deps, native, win, win64, fuzz-build, fuzz, bench, screenshot,
# clean.
#
# Windows code is built twice: build/win is the product (PE32, i686) and
# build/win64 the same source for x86_64 (PE32+). `test`, `run` and
# `screenshot` use the 32-bit build under wine32 where this host runs i386
# code, and the 64-bit build under wine64 where it does not (tools/wine-arch
# probes it); WINE_ARCH=32 or WINE_ARCH=64 forces the choice.

BUILD     := $(CURDIR)/build
NATIVE    := $(BUILD)/native
WIN       := $(BUILD)/win
WIN64     := $(BUILD)/win64
JOBS      ?= $(shell nproc)
WINE_ARCH ?= auto

PACKAGES := make cmake g++ g++-mingw-w64-i686 g++-mingw-w64-x86-64 googletest \
            wine wine32:i386 wine64 xvfb xauth fonts-wine fonts-wqy-microhei imagemagick \
            clang libclang-rt-14-dev

# Shell, at the start of a recipe: decides the architecture (printing why),
# builds the 64-bit tree when it is the one, and sets $arch and $tree.
choose_tree = arch=$$(tools/wine-arch $(WINE_ARCH)) || exit 2; \
	if [ $$arch = 64 ]; then $(MAKE) --no-print-directory win64 || exit 1; tree=$(WIN64); \
	else tree=$(WIN); fi

.PHONY: all run test deps native win win64 fuzz-build fuzz bench screenshot clean

all: win

# Install the Debian packages that are not there yet (needs root and the network).
deps:
	@missing=""; for p in $(PACKAGES); do \
	  dpkg -s $$p >/dev/null 2>&1 || missing="$$missing $$p"; done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  dpkg --add-architecture i386 && apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $$missing; \
	fi

# Native build: build-time tools and the portable code's tests, with sanitizers.
native: deps
	cmake -S . -B $(NATIVE) -DQUORVEL_SANITIZE=ON >/dev/null
	cmake --build $(NATIVE) -j $(JOBS)

# Windows builds: everything (program, tools, tests, benchmarks), with the
# native tools. build/win is the product.
win: native
	cmake -S . -B $(WIN) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
	  -DQUORVEL_HOST_TOOLS_DIR=$(NATIVE)/tools >/dev/null
	cmake --build $(WIN) -j $(JOBS)

win64: native
	cmake -S . -B $(WIN64) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake \
	  -DQUORVEL_HOST_TOOLS_DIR=$(NATIVE)/tools >/dev/null
	cmake --build $(WIN64) -j $(JOBS)

# The libFuzzer targets, built with clang under AddressSanitizer and UBSan
# (the tests build them so that they cannot rot); `make fuzz FUZZ_SECONDS=600`
# also runs each for that long.
FUZZ_SECONDS ?= 60
fuzz-build: deps
	CC=clang CXX=clang++ cmake -S . -B $(BUILD)/fuzz -DQUORVEL_FUZZ=ON >/dev/null
	cmake --build $(BUILD)/fuzz -j $(JOBS)

fuzz: fuzz-build
	fuzz/run-all $(BUILD)/fuzz/fuzz $(FUZZ_SECONDS)

# The product is built on every host; the tests run in the Windows build that
# this host can run.
test: native fuzz-build win
	@$(choose_tree); \
	cd $(NATIVE) && ctest --output-on-failure -j $(JOBS) || exit 1; \
	cd $$tree && xvfb-run -a -s "-screen 0 1024x768x24" ctest --output-on-failure -j $(JOBS)

# With a display: Quorvel in a Wine virtual desktop. Without one: under Xvfb,
# with a screenshot written to build/screenshot.png.
run: win
	@if [ -z "$$DISPLAY" ]; then exec $(MAKE) --no-print-directory screenshot; fi; \
	$(choose_tree); \
	QUORVEL_WINE_ARCH=$$arch tools/wine-run explorer /desktop=Quorvel,1024x768 $$tree/src/app/Quorvel.exe

screenshot: win
	@$(choose_tree); \
	QUORVEL_WINE_ARCH=$$arch tools/screenshot $$tree/src/app/Quorvel.exe $(BUILD)/screenshot.png

# Benchmarks (optimised, no sanitizers).
bench: native
	cmake -S . -B $(BUILD)/bench -DCMAKE_BUILD_TYPE=Release >/dev/null
	cmake --build $(BUILD)/bench -j $(JOBS)

clean:
	rm -rf $(BUILD)
