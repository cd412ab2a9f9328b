# The two commands a fresh machine needs: `make run` and `make test`.
BUILD      ?= build
ASAN_BUILD ?= build-asan
CMAKE_GEN  := -G Ninja
JOBS       ?= $(shell nproc)

.PHONY: all deps configure build run run-norvia test test-release test-asan bench screenshots package clean

all: build

deps:
	@bash scripts/install-deps.sh

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release

configure: deps $(BUILD)/build.ninja

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	./$(BUILD)/ui/quarvel

run-norvia: build
	./$(BUILD)/ui/norvia

# Release build and its tests, then the sanitizer build and its tests.
test: test-release test-asan

test-release: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

$(ASAN_BUILD)/build.ninja: | deps
	cmake -S . -B $(ASAN_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug -DQUARVEL_SANITIZE=ON

test-asan: deps $(ASAN_BUILD)/build.ninja
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --test-dir $(ASAN_BUILD) --output-on-failure -j $(JOBS) -LE no-sanitizer

# Pictures of a running simulation in both builds, for the README.
screenshots: build
	bash ui/tools/screenshot.sh ./$(BUILD)/ui/quarvel Quarvel docs/quarvel.png
	bash ui/tools/screenshot.sh ./$(BUILD)/ui/norvia Norvia docs/norvia.png

bench: build
	./$(BUILD)/bench/tick_bench

# The Debian package of both programs, written to $(BUILD).
package: build
	cd $(BUILD) && cpack -G DEB

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
