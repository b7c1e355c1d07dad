# make run   - install the dependencies, build, and start the program
# make test  - install the dependencies, build, and run every test
BUILD ?= build
GENERATOR ?= Ninja
JOBS ?= $(shell nproc)

.PHONY: deps configure build run test bench format clean

deps:
	scripts/install-deps

configure: deps
	cmake -S . -B $(BUILD) -G $(GENERATOR)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/bin/velmora-cli --help

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: build
	$(BUILD)/bin/velmora-bench-codec

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD)
