# The two commands of the README. Everything else is set up on the way.
SHELL := /bin/bash
HOST_BUILD := build/host
WIN_BUILD := build/win
JOBS := $(shell nproc)

.PHONY: run test setup build build-host build-win bench clean

run: build-win
	tools/run.sh

test: build-host build-win
	tools/test.sh

setup:
	tools/setup.sh

build-host: setup
	cmake -S . -B $(HOST_BUILD) -DCMAKE_BUILD_TYPE=Debug >/dev/null
	cmake --build $(HOST_BUILD) -j $(JOBS)

build-win: setup
	cmake -S . -B $(WIN_BUILD) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
	cmake --build $(WIN_BUILD) -j $(JOBS)

# Benchmarks: natively (Release, no sanitizers), and under Wine against the real URL cache and
# against histories of today's browsers.
bench: build-win
	cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release -DBT_BENCH=ON >/dev/null
	cmake --build build/bench -j $(JOBS)
	build/bench/scan_benchmark
	build/bench/history_query_benchmark
	tools/wine-run.sh build/win/wine_scan_bench.exe
	tools/wine-run.sh build/win/wine_browsers_bench.exe
	for n in 30000 300000; do tools/wine-run.sh build/win/wine_browsers_bench.exe build $$n; \
	    tools/wine-run.sh build/win/wine_browsers_bench.exe idle; tools/wine-run.sh build/win/wine_browsers_bench.exe read; done

clean:
	rm -rf build
