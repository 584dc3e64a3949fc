# The two commands a newcomer needs: `make run` and `make test`.
BUILD ?= build
BENCH_BUILD ?= build-bench

.PHONY: all setup build test run bench format clean

all: build

setup:
	@scripts/setup

build: setup
	@scripts/build "$(BUILD)" Debug

test: build
	@scripts/test "$(BUILD)"

run: build
	@scripts/run "$(BUILD)"

bench: setup
	@scripts/build "$(BENCH_BUILD)" Release -DTDX_BUILD_BENCH=ON
	@scripts/bench "$(BENCH_BUILD)"

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf "$(BUILD)" "$(BENCH_BUILD)"
