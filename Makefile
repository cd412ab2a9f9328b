# The two commands a fresh machine needs: `make run` and `make test`.
# Each build is a preset of CMakePresets.json: release, asan and web.
JOBS ?= $(shell nproc)

.PHONY: all deps build run run-norvia web test test-release test-asan test-web bench screenshots package format format-check clean

all: build

deps:
	@bash scripts/install-deps.sh

build/build.ninja: | deps
	cmake --preset release

build: deps build/build.ninja
	cmake --build --preset release -j $(JOBS)

run: build
	./build/ui/desktop/quarvel

run-norvia: build
	./build/ui/desktop/norvia

build-web/build.ninja: | deps
	cmake --preset web

# The two browser pages: build-web/quarvel.html and build-web/norvia.html.
web: deps build-web/build.ninja
	cmake --build --preset web -j $(JOBS)

# Every test: the format check, the release build, the sanitizer build and
# the browser pages.
test: format-check test-release test-asan test-web

test-release: build
	ctest --preset release -j $(JOBS)

build-asan/build.ninja: | deps
	cmake --preset asan

test-asan: deps build-asan/build.ninja
	cmake --build --preset asan -j $(JOBS)
	ctest --preset asan -j $(JOBS)

test-web: web
	ctest --preset web -j $(JOBS)

# Pictures of a running simulation in both builds, for the README.
screenshots: build
	bash ui/desktop/tools/screenshot.sh ./build/ui/desktop/quarvel Quarvel docs/quarvel.png
	bash ui/desktop/tools/screenshot.sh ./build/ui/desktop/norvia Norvia docs/norvia.png

bench: build
	./build/bench/tick_bench

# The Debian package of both programs, written to build/.
package: build
	cd build && cpack -G DEB

FORMATTED = $(shell git ls-files '*.cpp' '*.h')

format:
	clang-format -i $(FORMATTED)

format-check: | deps
	clang-format --dry-run --Werror $(FORMATTED)

clean:
	rm -rf build build-asan build-web
