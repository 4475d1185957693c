# Entry points: `make run` (set up, build, run the main job) and
# `make test` (set up, build, run the whole suite, then again under
# AddressSanitizer and UndefinedBehaviorSanitizer).

BUILD      ?= build
SAN_BUILD  ?= build-sanitize
JOBS       ?= $(shell nproc)
EXAMPLE_OUT = $(BUILD)/example

.PHONY: deps build run example test test-plain test-sanitize clean

deps:
	./scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS)

# The scenario program works in the directory of its own executable.
run: build
	$(BUILD)/bin/scenario
	ls -l $(BUILD)/bin

example: build
	mkdir -p $(EXAMPLE_OUT)
	$(BUILD)/bin/scenc compile --route Esempio --train E1 \
	  --line examples/Esempio_linea.txt --train-file examples/Esempio_E1-.txt \
	  --out $(EXAMPLE_OUT)

test: test-plain test-sanitize

test-plain: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

test-sanitize: deps
	cmake -S . -B $(SAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DSCEN_SANITIZE=ON
	cmake --build $(SAN_BUILD) -j $(JOBS)
	ctest --test-dir $(SAN_BUILD) --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD) $(SAN_BUILD)
