# make run   - install the dependencies, build, and start the program
# make test  - install the dependencies, build, and run every test
#
# The build is the one a release ships: optimised (Release), every warning an error
# (VELMORA_WERROR), so a warning only the optimiser finds fails here and not in a user's build.
BUILD ?= build
BUILD_TYPE ?= Release
GENERATOR ?= Ninja
JOBS ?= $(shell nproc)
PREFIX ?= /usr/local
CLANG_FORMAT ?= $(shell command -v clang-format-14 || echo clang-format)

.PHONY: deps configure build run test format-check layers-check check check-install sanitize check-clang \
	fuzz-smoke fuzz bench install deb format clean

deps:
	scripts/install-deps

configure: deps
	cmake -S . -B $(BUILD) -G $(GENERATOR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DVELMORA_WERROR=ON \
		-DVELMORA_UNITY_BUILD=ON

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/bin/velmora

# Every test: the source format first (it takes seconds, so a stray space fails at once), the
# unit, window and end-to-end tests of the Release build (window journeys on Xvfb), an
# installation into a temporary folder with its .deb, the whole suite again under
# AddressSanitizer and UndefinedBehaviorSanitizer (unoptimised), the core library and its tests
# built with clang, and a short run of each fuzz target over its seed corpus.
test: format-check layers-check check check-install sanitize check-clang fuzz-smoke

# Every #include "folder/..." points to the same or a lower folder (src/LAYERS); names each
# file and line that does not.
layers-check: deps
	scripts/check-layers

# Every git-tracked *.cpp and *.h as clang-format 14 writes it; names each file that differs.
format-check: deps
	CLANG_FORMAT=$(CLANG_FORMAT) scripts/check-format

check: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

check-install: build
	scripts/check-install $(BUILD)

sanitize: deps
	scripts/check-sanitizers

# The core library and its tests built with clang, warnings as errors, and run.
check-clang: deps
	scripts/check-clang

fuzz-smoke: deps
	scripts/fuzz smoke

# The long fuzz runs: FUZZ_SECONDS per target (default 600).
fuzz: deps
	scripts/fuzz long $(or $(FUZZ_SECONDS),600)

bench: build
	$(BUILD)/bin/velmora-bench-codec
	$(BUILD)/bin/velmora-bench-grid
	$(BUILD)/bin/velmora-bench-gui
	$(BUILD)/bin/velmora-bench-transfer

install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

deb: build
	cd $(BUILD) && cpack -G DEB

format:
	git ls-files -z '*.cpp' '*.h' | xargs -0 $(CLANG_FORMAT) -i

clean:
	rm -rf $(BUILD)
