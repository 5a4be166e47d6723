# Wraps CMake for the README's commands.
#   make            build (normal)
#   make test       build and run the whole suite twice: normal build, then ASan+UBSan build,
#                   both with warnings as errors
#   make run        install dependencies, build, and write the demo drawing into out/
#   make bench      build the benchmarks in Release (build-bench, gl2ps needed) and run the
#                   benchmark against gl2ps, which prints its table; PEER_BENCH_ARGS passes
#                   options to it (bench/README.md), e.g. PEER_BENCH_ARGS="--scenes knot --sizes 1000"
#   make fuzz       build the libFuzzer target with clang (build-fuzz) and run it for FUZZ_SECONDS
#                   seconds (default 60) on FUZZ_CORPUS, seeded with the project's scene files;
#                   FUZZ_ARGS passes more options to libFuzzer, e.g. FUZZ_ARGS=-runs=1000000.
#                   Findings (crash-*, timeout-*, oom-*) are written into FUZZ_ARTIFACTS.
#   make install    build (normal) and install the command, the static libraries, the headers, the
#                   CMake package and scrivane.pc under PREFIX (default /usr/local), e.g.
#                   make install PREFIX=$HOME/scrivane
#   make package    build with shared libraries for the prefix /usr (PACKAGE_BUILD, no tests) and
#                   make the Debian package of it: $(PACKAGE_BUILD)/scrivane_<version>_<arch>.deb
JOBS ?= $(shell nproc)
BUILD ?= build
ASAN_BUILD ?= build-asan
BENCH_BUILD ?= build-bench
PEER_BENCH_ARGS ?=
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_CORPUS ?= $(FUZZ_BUILD)/corpus
FUZZ_ARTIFACTS ?= $(FUZZ_BUILD)/findings
FUZZ_ARGS ?=
PREFIX ?= /usr/local
PACKAGE_BUILD ?= build-package

.PHONY: all build test test-normal test-asan deps run bench fuzz install package clean

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
	$(BUILD)/tools/scrivane --lighting -o out/demo.pdf
	$(BUILD)/tools/scrivane --lighting -o out/demo.svg
	@echo "wrote out/demo.ps, out/demo.cgm, out/demo.hpgl, out/demo.emf, out/demo.pdf and out/demo.svg"

bench:
	cmake -S . -B $(BENCH_BUILD) -DCMAKE_BUILD_TYPE=Release -DSCRIVANE_WERROR=ON -DSCRIVANE_TESTS=OFF \
	      -DSCRIVANE_BENCH=ON -DSCRIVANE_PEER_BENCH=ON
	cmake --build $(BENCH_BUILD) -j $(JOBS)
	$(BENCH_BUILD)/bench/scrivane_peer_bench --out $(BENCH_BUILD)/peer-bench-out $(PEER_BENCH_ARGS)

# One fuzzing process (libFuzzer's -jobs would send its output to log files): inputs up to 4 KiB,
# 10 s per input and 2 GiB of memory at most. LeakSanitizer reads the suppression of Mesa's
# exit-time blocks (tests/host/osmesa.lsan.supp): the library links Mesa, which allocates at load.
fuzz:
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	      -DSCRIVANE_FUZZ=ON -DSCRIVANE_TESTS=OFF
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target scrivane_fuzz_scene
	fuzz/seed-corpus.sh $(FUZZ_CORPUS)
	mkdir -p $(FUZZ_ARTIFACTS)
	LSAN_OPTIONS=suppressions=tests/host/osmesa.lsan.supp:print_suppressions=0 \
	$(FUZZ_BUILD)/fuzz/scrivane_fuzz_scene -dict=fuzz/scene.dict -max_total_time=$(FUZZ_SECONDS) \
	      -max_len=4096 -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
	      -artifact_prefix=$(FUZZ_ARTIFACTS)/ $(FUZZ_ARGS) $(FUZZ_CORPUS)

install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

package:
	cmake -S . -B $(PACKAGE_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSCRIVANE_WERROR=ON \
	      -DSCRIVANE_TESTS=OFF -DBUILD_SHARED_LIBS=ON -DCMAKE_INSTALL_PREFIX=/usr
	cmake --build $(PACKAGE_BUILD) -j $(JOBS)
	cd $(PACKAGE_BUILD) && cpack -G DEB

# The README's picture: the demo drawing rendered by Ghostscript.
docs/demo.png: build
	mkdir -p out
	$(BUILD)/tools/scrivane --lighting -o out/demo.ps
	gs -q -dBATCH -dNOPAUSE -dSAFER -sDEVICE=png16m -r72 -dTextAlphaBits=4 -dGraphicsAlphaBits=4 \
	   -sOutputFile=docs/demo.png out/demo.ps

# The same demo written as PDF and rendered by poppler, and as SVG rendered by librsvg.
docs/demo-pdf.png: build
	mkdir -p out
	$(BUILD)/tools/scrivane --lighting -o out/demo.pdf
	pdftoppm -r 72 -png -singlefile out/demo.pdf docs/demo-pdf

docs/demo-svg.png: build
	mkdir -p out
	$(BUILD)/tools/scrivane --lighting -o out/demo.svg
	rsvg-convert -o docs/demo-svg.png out/demo.svg

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD) $(PACKAGE_BUILD) out
