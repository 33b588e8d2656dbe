# The project's whole interface: setup, build, run, test, fuzz, bench.
BUILD := build
NATIVE := $(BUILD)/native
JOBS := $(shell nproc)
FUZZ_SECONDS ?= 60

.PHONY: all setup build run test fuzz bench clean
all: build

setup:
	bash scripts/setup.sh

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=MinSizeRel

$(NATIVE)/CMakeCache.txt:
	cmake -S . -B $(NATIVE) -DCMAKE_BUILD_TYPE=Debug

build: $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

run: setup build
	bash scripts/run.sh

test: setup build $(NATIVE)/CMakeCache.txt
	cmake --build $(NATIVE) -j $(JOBS)
	bash scripts/test.sh

fuzz: setup
	bash scripts/fuzz.sh $(FUZZ_SECONDS)

bench: setup build
	bash scripts/bench.sh

clean:
	-bash scripts/testbed.sh down
	rm -rf $(BUILD)
