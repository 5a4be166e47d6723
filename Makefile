# Wraps CMake for the README's commands.
#   make            build (normal)
#   make test       build and run the whole suite twice: normal build, then ASan+UBSan build,
#                   both with warnings as errors
#   make run        install dependencies, build, and write the demo drawing into out/
#   make bench      build the benchmarks in Release (build-bench, gl2ps needed) and run the
#                   benchmark against gl2ps, which prints its table; PEER_BENCH_ARGS passes
#                   options to it (bench/README.md), e.g. PEER_BENCH_ARGS="--scenes knot --sizes 1000"
JOBS ?= $(shell nproc)
BUILD ?= build
ASAN_BUILD ?= build-asan
BENCH_BUILD ?= build-bench
PEER_BENCH_ARGS ?=

.PHONY: all build test test-normal test-asan deps run bench clean

all: build

build:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSCRIVANE_WERROR=ON
	cmake --build $(BUILD) -j $(JOBS)

test-normal: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

test-asan:
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DSCRIVANE_WERROR=ON -DSCRIVANE_SANITIZE=ON
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ctest --output-on-failure -j $(JOBS)

test: deps test-normal test-asan

deps:
	scripts/install-deps.sh

run: deps build
	mkdir -p out
	$(BUILD)/tools/scrivane --lighting -o out/demo.ps
	$(BUILD)/tools/scrivane --lighting -o out/demo.cgm --cgm-binary
	$(BUILD)/tools/scrivane --lighting -o out/demo.hpgl
	$(BUILD)/tools/scrivane --lighting -o out/demo.emf
	@echo "wrote out/demo.ps, out/demo.cgm, out/demo.hpgl and out/demo.emf"

bench:
	cmake -S . -B $(BENCH_BUILD) -DCMAKE_BUILD_TYPE=Release -DSCRIVANE_WERROR=ON -DSCRIVANE_TESTS=OFF \
	      -DSCRIVANE_BENCH=ON -DSCRIVANE_PEER_BENCH=ON
	cmake --build $(BENCH_BUILD) -j $(JOBS)
	$(BENCH_BUILD)/bench/scrivane_peer_bench --out $(BENCH_BUILD)/peer-bench-out $(PEER_BENCH_ARGS)

# The README's picture: the demo drawing rendered by Ghostscript.
docs/demo.png: build
	mkdir -p out
	$(BUILD)/tools/scrivane --lighting -o out/demo.ps
	gs -q -dBATCH -dNOPAUSE -dSAFER -sDEVICE=png16m -r72 -dTextAlphaBits=4 -dGraphicsAlphaBits=4 \
	   -sOutputFile=docs/demo.png out/demo.ps

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) out
