# Thin wrapper around CMake. The two everyday commands are `make run` and
# `make test`; both install whatever Debian packages are missing first.

BUILD      ?= build
BUILD_TYPE ?= RelWithDebInfo
CMAKE_ARGS ?=
JOBS       ?= $(shell nproc)
YEAR       ?= 2013
FUZZ_SECONDS ?= 60

.PHONY: all deps configure build test run bench fuzz format check install clean

all: build

deps:
	@bash scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(CMAKE_ARGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

test: build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

run: build
	@bash scripts/run $(BUILD) $(YEAR)

bench: deps
	@cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DORVANTA_BENCH=ON -DORVANTA_GUI=OFF >/dev/null
	@cmake --build build-release -j $(JOBS) --target bench_pdf bench_compose
	@build-release/bench/bench_pdf
	@build-release/bench/bench_compose

fuzz: deps
	@bash scripts/fuzz $(FUZZ_SECONDS)

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

check: build
	@git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror

install: build
	@cmake --install $(BUILD) $(if $(PREFIX),--prefix $(PREFIX),)

clean:
	@rm -rf $(BUILD) build-release build-asan build-fuzz
