# The two commands a new user needs: `make run` and `make test`. Both install what is missing
# first (scripts/install-deps.sh), then configure and build in build/.

BUILD       ?= build
ASAN_BUILD  ?= build-asan
FUZZ_BUILD  ?= build-fuzz
BENCH_BUILD ?= build-bench
JOBS        ?= $(shell nproc)
CMAKE_FLAGS ?= -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
PREFIX      ?= /usr/local

.PHONY: all deps build run test test-asan install bench fuzz-smoke format clean

all: build

deps:
	@scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j $(JOBS)

# The desktop program on the bundled sample; with no display, the qbay demonstration instead.
run: build
	@if [ -n "$${DISPLAY:-}$${WAYLAND_DISPLAY:-}" ]; then \
	  $(BUILD)/app/gui/quillbay samples/sample.txt; \
	else \
	  echo "No display (neither DISPLAY nor WAYLAND_DISPLAY is set): showing the qbay demonstration instead."; \
	  scripts/run-sample.sh $(BUILD)/app/cli/qbay; \
	fi

# Every test, then the non-GUI tests again under AddressSanitizer + UndefinedBehaviorSanitizer.
test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)
	$(MAKE) --no-print-directory test-asan

test-asan: deps
	cmake -S . -B $(ASAN_BUILD) $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=Debug -DQB_SANITIZE=ON -DQB_GUI=OFF
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --test-dir $(ASAN_BUILD) --output-on-failure -j $(JOBS) 

# Installs under PREFIX (default /usr/local), inside DESTDIR when it is set (for packaging).
# Builds only what is installed: the two programs and their files, not the tests and fuzz targets.
install: deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j $(JOBS) --target installable
	DESTDIR=$(DESTDIR) cmake --install $(BUILD) --prefix $(PREFIX)

# Benchmarks against the peer tools on generated 100 MB inputs (see bench/README.md).
bench:
	@scripts/install-deps.sh nkf time icu-devtools
	cmake -S . -B $(BENCH_BUILD) $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=Release -DQB_BENCH=ON
	cmake --build $(BENCH_BUILD) -j $(JOBS)
	bench/peers.sh $(BENCH_BUILD)

# Each libFuzzer target for a few seconds (clang), starting from its corpus in fuzz/corpus/ when
# it has one (read only: what the run finds goes to a scratch folder).
fuzz-smoke:
	@scripts/install-deps.sh clang libclang-rt-14-dev
	CXX=clang++ cmake -S . -B $(FUZZ_BUILD) $(CMAKE_FLAGS) -DQB_FUZZ=ON -DQB_SANITIZE=ON
	cmake --build $(FUZZ_BUILD) -j $(JOBS)
	@for f in $(FUZZ_BUILD)/fuzz/*_fuzz; do \
	  echo "== $$f"; corpus=fuzz/corpus/$$(basename $$f); found=$$(mktemp -d); \
	  [ -d $$corpus ] || corpus=; \
	  $$f -max_total_time=5 -rss_limit_mb=2048 $$found $$corpus || exit 1; rm -rf $$found; \
	done

format:
	git ls-files '*.cpp' '*.h' | grep -v _table.cpp | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD) $(BENCH_BUILD)
