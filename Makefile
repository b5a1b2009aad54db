# Front door of the project. The README's quick start is `make run` and
# `make test`; both install missing Debian packages first.
BUILD_RELEASE := build/release
BUILD_TRAINING := build/training
BUILD_SANITIZE := build/sanitize
PROFILE_DIR := $(abspath build/profile)
JOBS ?= $(shell nproc)
SAMPLE ?= examples/hello.vornscript

.PHONY: all deps profile build build-sanitize run test test-release test-sanitize bench format clean

all: build

deps:
	@bash scripts/install-deps.sh

# The release program is optimised with a profile of training runs: a first
# build instrumented for profiling runs scripts/train-profile.sh, whose
# records the release build reads (see CMakeLists.txt).
$(BUILD_TRAINING)/build.ninja:
	cmake -S . -B $(BUILD_TRAINING) -G Ninja -DCMAKE_BUILD_TYPE=Release \
	    -DVORN_PROFILE_GENERATE=$(PROFILE_DIR)

$(BUILD_RELEASE)/build.ninja:
	cmake -S . -B $(BUILD_RELEASE) -G Ninja -DCMAKE_BUILD_TYPE=Release \
	    -DVORN_PROFILE_USE=$(PROFILE_DIR)

# The sanitizer build uses Clang, so every test run also proves that the code
# builds warning-free with the second compiler.
$(BUILD_SANITIZE)/build.ninja:
	CXX=clang++ cmake -S . -B $(BUILD_SANITIZE) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVORN_SANITIZE=ON

profile: deps $(BUILD_TRAINING)/build.ninja
	cmake --build $(BUILD_TRAINING) -j $(JOBS) --target vornscript
	bash scripts/train-profile.sh $(BUILD_TRAINING)/vornscript $(PROFILE_DIR)

build: profile $(BUILD_RELEASE)/build.ninja
	cmake --build $(BUILD_RELEASE) -j $(JOBS)

build-sanitize: deps $(BUILD_SANITIZE)/build.ninja
	cmake --build $(BUILD_SANITIZE) -j $(JOBS)

run: build
	$(BUILD_RELEASE)/vornscript $(SAMPLE)

test-release: build
	cd $(BUILD_RELEASE) && ctest --output-on-failure

test-sanitize: build-sanitize
	cd $(BUILD_SANITIZE) && ctest --output-on-failure

test: test-release test-sanitize

# Checks that every benchmark prints the same checksum in vornscript, Lua,
# Python and Perl, then times them; see docs/PERFORMANCE.md.
bench: build
	bash bench/run.sh $(BUILD_RELEASE)/vornscript

format:
	find driver values frontend interpreter sysfunctions extensions debugger selftests support tests bench \
	    -name '*.cpp' -o -name '*.h' | xargs -r clang-format -i

clean:
	rm -rf build
