# Thin wrapper around CMake. The two everyday commands are `make run` and
# `make test`; both install whatever Debian packages are missing first (`make
# run` only what building and running need, `make test` the test tools too).

BUILD      ?= build
BUILD_TYPE ?= RelWithDebInfo
CMAKE_ARGS ?=
JOBS       ?= $(shell nproc)
YEAR       ?= 2013
FUZZ_SECONDS ?= 60
# The tests are built unless a target needs only the program.
TESTS      ?= ON
PACKAGE_BUILD ?= build-package
CHECK_BUILD ?= build-check

.PHONY: all deps test-deps configure build test run bench bench-startup fuzz format check install package clean

all: build

deps:
	@bash scripts/install-deps

test-deps:
	@bash scripts/install-deps --test

run install: TESTS = OFF

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DORVANTA_TESTS=$(TESTS) $(CMAKE_ARGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

test: test-deps build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

run: build
	@bash scripts/run $(BUILD) $(YEAR)

bench: test-deps
	@cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DORVANTA_BENCH=ON -DORVANTA_GUI=OFF -DORVANTA_TESTS=OFF >/dev/null
	@cmake --build build-release -j $(JOBS) --target bench_pdf bench_compose bench_icalendar bench_import
	@build-release/bench/bench_pdf
	@build-release/bench/bench_compose
	@build-release/bench/bench_icalendar
	@build-release/bench/bench_import

# The program's start and the pictures' cost against their floors
# (scripts/benchmark-startup), in a Release build with the window.
bench-startup: test-deps
	@cmake -S . -B build-startup -DCMAKE_BUILD_TYPE=Release -DORVANTA_BENCH=ON -DORVANTA_TESTS=OFF >/dev/null
	@cmake --build build-startup -j $(JOBS) --target orvanta time-to-map one-label
	@bash scripts/benchmark-startup build-startup

fuzz: test-deps
	@bash scripts/fuzz $(FUZZ_SECONDS)

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

# Formatting, the layers, and clang-tidy (.clang-tidy) on the program's
# sources; it configures a build tree of its own but builds nothing.
check: test-deps
	@git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror
	@bash scripts/check-layers
	@cmake -S . -B $(CHECK_BUILD) -DCMAKE_BUILD_TYPE=Debug -DORVANTA_TESTS=OFF >/dev/null
	@run-clang-tidy -p $(CHECK_BUILD) -quiet -j $(JOBS) -extra-arg=-Wno-unknown-warning-option \
	  '^$(CURDIR)/(base|pdf|almanac|calendar|app|tools)/.*\.cpp$$' >$(CHECK_BUILD)/clang-tidy.log 2>&1 || \
	  { sed 's/\x1b\[[0-9;]*m//g' $(CHECK_BUILD)/clang-tidy.log | grep -E 'warning:|error:' | sort -u; echo "check: clang-tidy found the above"; exit 1; }
	@echo "check: clang-tidy finds nothing"

install: build
	@cmake --install $(BUILD) $(if $(PREFIX),--prefix $(PREFIX),)

# A Debian package of what `make install` installs, built in Release into
# $(PACKAGE_BUILD); install it with apt-get install ./$(PACKAGE_BUILD)/orvanta_*.deb
# It is built with Debian's hardening (dpkg-buildflags): fortified functions,
# the stack protector, full RELRO with bind-now, and PIE.
HARDENING = DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get
package: deps
	@cmake -S . -B $(PACKAGE_BUILD) -DCMAKE_BUILD_TYPE=Release -DORVANTA_TESTS=OFF -DCMAKE_INSTALL_PREFIX=/usr \
	  "-DCMAKE_CXX_FLAGS=$$($(HARDENING) CPPFLAGS) $$($(HARDENING) CXXFLAGS)" \
	  "-DCMAKE_EXE_LINKER_FLAGS=$$($(HARDENING) LDFLAGS)" \
	  "-DCMAKE_MODULE_LINKER_FLAGS=$$($(HARDENING) LDFLAGS)" $(CMAKE_ARGS) >/dev/null
	@cmake --build $(PACKAGE_BUILD) -j $(JOBS)
	@cd $(PACKAGE_BUILD) && cpack -G DEB
	@ls $(PACKAGE_BUILD)/orvanta_*.deb

clean:
	@rm -rf $(BUILD) build-release build-asan build-fuzz $(PACKAGE_BUILD) $(CHECK_BUILD)
