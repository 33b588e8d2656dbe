# The project's whole interface: setup, build, run, test, fuzz, bench, dist.
BUILD := build
NATIVE := $(BUILD)/native
JOBS := $(shell nproc)
FUZZ_SECONDS ?= 60

.PHONY: all setup build run test fuzz bench dist clean
all: build

setup:
	bash scripts/setup.sh

# Everything that needs the installed tools waits for setup (order-only: setup runs every time but
# makes nothing out of date), so that under -j no configure or build starts before apt is done.
# A configure that fails leaves no cache behind, so that the next make configures again.
configure = cmake -S . -B $(1) $(2) || { rm -rf $(1)/CMakeCache.txt $(1)/CMakeFiles; exit 1; }

$(BUILD)/CMakeCache.txt: | setup
	$(call configure,$(BUILD),-DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=MinSizeRel)

$(NATIVE)/CMakeCache.txt: | setup
	$(call configure,$(NATIVE),-DCMAKE_BUILD_TYPE=Debug)

build: $(BUILD)/CMakeCache.txt | setup
	cmake --build $(BUILD) -j $(JOBS)

run: $(BUILD)/CMakeCache.txt | setup
	cmake --build $(BUILD) --target runnable -j $(JOBS)
	bash scripts/run.sh

test: build $(NATIVE)/CMakeCache.txt
	cmake --build $(NATIVE) -j $(JOBS)
	bash scripts/test.sh

fuzz: | setup
	bash scripts/fuzz.sh $(FUZZ_SECONDS)

bench: build
	bash scripts/bench.sh

# The download: build/dist/korimbel-<version>-win32.zip and its SHA256SUMS.
dist: $(BUILD)/CMakeCache.txt | setup
	cmake --build $(BUILD) --target dist -j $(JOBS)

clean:
	-bash scripts/testbed.sh down
	-bash scripts/testbed.sh --monitors down
	-bash scripts/testbed.sh --wow64 down
	rm -rf $(BUILD)
