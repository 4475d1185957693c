# Entry points: `make run` (set up, build, run the main job) and
# `make test` (set up, build, run the whole suite, then again under
# AddressSanitizer and UndefinedBehaviorSanitizer, built by clang: the
# plain build is g++'s, so every run of the suite builds with both, and the
# fuzz targets' compiler cannot fall behind unseen). Each target installs
# the Debian packages its own work needs (scripts/install-deps.sh): `run`
# those of building and running the programs, `test` the test suite's on
# top, `deb`, `bench` and `fuzz` their own.

BUILD      ?= build
SAN_BUILD  ?= build-sanitize-clang
JOBS       ?= $(shell nproc)
EXAMPLE_OUT = $(BUILD)/example

.PHONY: deps deps-test configure build run example test test-plain test-sanitize clean fuzz fuzz-run

deps:
	./scripts/install-deps.sh build

deps-test:
	./scripts/install-deps.sh test

# The test suite is configured where GoogleTest was installed at the first
# configure, and from the first `make test` on.
configure: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: configure
	cmake --build $(BUILD) -j $(JOBS)

# Only the scenario program, which works in the directory of its own
# executable.
run: configure
	cmake --build $(BUILD) -j $(JOBS) --target scenario
	$(BUILD)/bin/scenario
	ls -l $(BUILD)/bin

example: build
	mkdir -p $(EXAMPLE_OUT)
	$(BUILD)/bin/scenc compile --route Esempio --train E1 \
	  --line examples/Esempio_linea.txt --train-file examples/Esempio_E1-.txt \
	  --out $(EXAMPLE_OUT)

# The Debian package of scenc, the scenario program, the man pages and the
# format reference (cmake/package.cmake), left in $(BUILD)/.
.PHONY: deb
deb: build
	./scripts/install-deps.sh package
	cd $(BUILD) && cpack -G DEB

# Benchmarks, in a Release build of their own: the micro-benchmarks, then
# each whole job timed against copying the files it leaves (bench/run.sh).
BENCH_BUILD ?= build-bench

.PHONY: bench
bench:
	./scripts/install-deps.sh bench
	cmake -S . -B $(BENCH_BUILD) -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BENCH_BUILD) -j $(JOBS) --target scen_bench scen_make_line scenc scenario
	$(BENCH_BUILD)/bin/scen_bench
	bench/run.sh $(BENCH_BUILD)

test: test-plain test-sanitize test-windows

test-plain: deps-test
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSCEN_TESTS=ON
	cmake --build $(BUILD) -j $(JOBS)
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

test-sanitize: deps-test
	cmake -S . -B $(SAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DSCEN_SANITIZE=ON -DSCEN_TESTS=ON \
	  -DCMAKE_CXX_COMPILER=clang++
	cmake --build $(SAN_BUILD) -j $(JOBS)
	ctest --test-dir $(SAN_BUILD) --output-on-failure -j $(JOBS)

# The Windows build: scenc.exe (and scenario.exe) cross-compiled with
# MinGW-w64, the zip and the installer (cmake/windows_package.cmake), left
# in $(WIN_BUILD)/; its tests run under Wine, in a Wine prefix of the
# build's own made first, and compare its compiled files with the Linux
# build's ($(BUILD)).
WIN_BUILD ?= build-windows

.PHONY: windows test-windows
windows:
	./scripts/install-deps.sh windows
	cmake -S . -B $(WIN_BUILD) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
	  -DCMAKE_BUILD_TYPE=Release -DSCEN_LINUX_BUILD=$(abspath $(BUILD))
	cmake --build $(WIN_BUILD) -j $(JOBS) --target windows_package

test-windows: deps-test windows build
	cmake -S . -B $(WIN_BUILD) -DSCEN_TESTS=ON
	cmake --build $(WIN_BUILD) -j $(JOBS)
	tests/windows/wine_run.sh --prefix $(abspath $(WIN_BUILD))/wine
	ctest --test-dir $(WIN_BUILD) --output-on-failure -j $(JOBS)

# libFuzzer targets (clang, ASan+UBSan, bounds-checked containers) in a
# build directory of their own; `make fuzz-run SECONDS=600` runs each one
# for that long, two at a time (fuzz/run.sh).
FUZZ_BUILD ?= build-fuzz
SECONDS    ?= 600

fuzz:
	./scripts/install-deps.sh fuzz
	cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_CXX_COMPILER=clang++ -DSCEN_FUZZ=ON
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target scen_fuzz_all
	fuzz/seeds.sh $(FUZZ_BUILD) $(FUZZ_BUILD)/fuzz/seed

fuzz-run: fuzz
	FUZZ_BUILD=$(FUZZ_BUILD) fuzz/run.sh $(SECONDS)

clean:
	rm -rf $(BUILD) $(SAN_BUILD) $(FUZZ_BUILD)
