# Quorvel: two entry points for a fresh Debian 12 machine (run as root).
#   make run    installs what is missing, builds, and runs Quorvel under Wine
#   make test   installs what is missing, builds everything, runs every test
# Other targets: deps, native, win, fuzz, bench, screenshot, clean.

BUILD   := $(CURDIR)/build
NATIVE  := $(BUILD)/native
WIN     := $(BUILD)/win
JOBS    ?= $(shell nproc)
export QUORVEL_WINEPREFIX ?= $(BUILD)/wineprefix

PACKAGES := make cmake g++ g++-mingw-w64-i686 googletest wine wine32:i386 \
            xvfb xauth fonts-wine imagemagick
FUZZ_PACKAGES := clang libclang-rt-14-dev

.PHONY: all run test deps native win fuzz bench screenshot clean

all: win

# Install the Debian packages that are not there yet (needs root and the network).
deps:
	@missing=""; for p in $(PACKAGES) $(EXTRA_PACKAGES); do \
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

# Windows build: Quorvel.exe and the Windows tests; uses the native tools.
win: native
	cmake -S . -B $(WIN) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
	  -DQUORVEL_HOST_TOOLS_DIR=$(NATIVE)/tools >/dev/null
	cmake --build $(WIN) -j $(JOBS)

# With a display: Quorvel in a Wine virtual desktop. Without one: under Xvfb,
# with a screenshot written to build/screenshot.png.
run: win
	@if [ -n "$$DISPLAY" ]; then \
	  tools/wine-run explorer /desktop=Quorvel,1024x768 $(WIN)/src/app/Quorvel.exe; \
	else \
	  $(MAKE) --no-print-directory screenshot; \
	fi

screenshot: win
	tools/screenshot $(WIN)/src/app/Quorvel.exe $(BUILD)/screenshot.png

test: win
	cd $(NATIVE) && ctest --output-on-failure -j $(JOBS)
	cd $(WIN) && xvfb-run -a -s "-screen 0 1024x768x24" ctest --output-on-failure -j $(JOBS)

# libFuzzer targets under ASan and UBSan; `make fuzz FUZZ_SECONDS=600` runs each.
FUZZ_SECONDS ?= 60
fuzz:
	$(MAKE) --no-print-directory deps EXTRA_PACKAGES="$(FUZZ_PACKAGES)"
	CC=clang CXX=clang++ cmake -S . -B $(BUILD)/fuzz -DQUORVEL_FUZZ=ON >/dev/null
	cmake --build $(BUILD)/fuzz -j $(JOBS)
	fuzz/run-all $(BUILD)/fuzz/fuzz $(FUZZ_SECONDS)

# Benchmarks (optimised, no sanitizers).
bench: native
	cmake -S . -B $(BUILD)/bench -DCMAKE_BUILD_TYPE=Release >/dev/null
	cmake --build $(BUILD)/bench -j $(JOBS)

clean:
	rm -rf $(BUILD)
