# The two commands of the README. Everything else is set up on the way.
SHELL := /bin/bash
HOST_BUILD := build/host
WIN_BUILD := build/win
JOBS := $(shell nproc)

.PHONY: run test setup build build-host build-win dist bench fuzz clean

run: build-win
	tools/run.sh

test: build-host dist
	tools/test.sh

setup:
	tools/setup.sh

build-host: setup
	cmake -S . -B $(HOST_BUILD) -DCMAKE_BUILD_TYPE=Debug >/dev/null
	cmake --build $(HOST_BUILD) -j $(JOBS)

build-win: setup
	cmake -S . -B $(WIN_BUILD) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
	cmake --build $(WIN_BUILD) -j $(JOBS)

# The release: build/win/dist packed into build/win/Backtracker-<version>.zip with its SHA-256,
# and what the program's size is made of.
dist: build-win
	cmake --build $(WIN_BUILD) --target dist

# Benchmarks: natively (Release, no sanitizers), and under Wine against the real URL cache and
# against histories of today's browsers.
bench: build-win
	cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release -DBT_BENCH=ON >/dev/null
	cmake --build build/bench -j $(JOBS)
	build/bench/scan_benchmark
	build/bench/history_query_benchmark
	build/bench/session_benchmark
	build/bench/search_benchmark
	tools/wine-run.sh build/win/wine_scan_bench.exe
	tools/wine-run.sh build/win/wine_browsers_bench.exe
	tools/wine-run.sh build/win/wine_browsers_bench.exe million
	tools/wine-run.sh build/win/wine_browsers_bench.exe list
	tools/wine-run.sh build/win/wine_browsers_bench.exe search
	tools/wine-run.sh build/win/wine_browsers_bench.exe icons
	tools/wine-run.sh build/win/wine_list_icons_bench.exe
	tools/wine-run.sh build/win/wine_sessions_bench.exe
	tools/wine-run.sh build/win/wine_start_bench.exe 21
	for n in 30000 300000; do tools/wine-run.sh build/win/wine_browsers_bench.exe build $$n; \
	    tools/wine-run.sh build/win/wine_browsers_bench.exe idle; tools/wine-run.sh build/win/wine_browsers_bench.exe read-list; \
	    tools/wine-run.sh build/win/wine_browsers_bench.exe read; done

# The session-file readers under libFuzzer, natively with clang, each for FUZZ_SECONDS.
FUZZ_SECONDS ?= 60
fuzz: setup
	CC=clang CXX=clang++ cmake -S . -B build/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBT_FUZZ=ON >/dev/null
	cmake --build build/fuzz -j $(JOBS) --target chromium_session_fuzz firefox_session_fuzz icon_bytes_fuzz make_corpus
	rm -rf build/fuzz/corpus && mkdir -p build/fuzz/corpus/chromium build/fuzz/corpus/firefox build/fuzz/corpus/icons
	build/fuzz/make_corpus build/fuzz/corpus/chromium build/fuzz/corpus/firefox build/fuzz/corpus/icons
	cd build/fuzz && ./chromium_session_fuzz -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 corpus/chromium
	cd build/fuzz && ./firefox_session_fuzz -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 corpus/firefox
	cd build/fuzz && ./icon_bytes_fuzz -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 corpus/icons

clean:
	rm -rf build
