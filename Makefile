# Wraps CMake for the README's commands.
#   make            build (normal)
#   make test       build and run the whole suite twice: normal build, then ASan+UBSan build,
#                   both with warnings as errors
#   make run        install dependencies, build, and write the demo drawing into out/
JOBS ?= $(shell nproc)
BUILD ?= build
ASAN_BUILD ?= build-asan

.PHONY: all build test test-normal test-asan deps run clean

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

# The README's picture: the demo drawing rendered by Ghostscript.
docs/demo.png: build
	mkdir -p out
	$(BUILD)/tools/scrivane --lighting -o out/demo.ps
	gs -q -dBATCH -dNOPAUSE -dSAFER -sDEVICE=png16m -r72 -dTextAlphaBits=4 -dGraphicsAlphaBits=4 \
	   -sOutputFile=docs/demo.png out/demo.ps

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) out
