# The user's entry point. `make run` and `make test` install what is missing first.
JOBS        ?= 2
BUILD_DIR   ?= build
TEST_DIR    ?= build-test
SANITIZERS  := -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer

.PHONY: all deps build run test fuzz bench clean

all: build

deps:
	@./scripts/install-deps

$(BUILD_DIR)/CMakeCache.txt:
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=Release -DTAVIRO_BUILD_TESTS=OFF

build: deps $(BUILD_DIR)/CMakeCache.txt
	cmake --build $(BUILD_DIR) -j$(JOBS)

run: build
	./$(BUILD_DIR)/bin/taviro

$(TEST_DIR)/CMakeCache.txt:
	cmake -S . -B $(TEST_DIR) -DCMAKE_BUILD_TYPE=Debug -DTAVIRO_BUILD_TESTS=ON \
	    "-DCMAKE_CXX_FLAGS=$(SANITIZERS)" "-DCMAKE_EXE_LINKER_FLAGS=$(SANITIZERS)" \
	    "-DCMAKE_SHARED_LINKER_FLAGS=$(SANITIZERS)"

test: deps $(TEST_DIR)/CMakeCache.txt
	cmake --build $(TEST_DIR) -j$(JOBS)
	cd $(TEST_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --no-tests=error -j$(JOBS)

# Throughput and memory against iconv and ICU, then the engine's kernels.
BENCH_DIR ?= build-bench

bench: build
	@./scripts/install-deps bench
	cmake -S . -B $(BENCH_DIR) -DCMAKE_BUILD_TYPE=Release -DTAVIRO_BUILD_TESTS=OFF -DTAVIRO_BUILD_UI=OFF \
	    -DTAVIRO_BUILD_BENCH=ON
	cmake --build $(BENCH_DIR) -j$(JOBS) --target engine_bench compare_loops
	./bench/throughput.sh $(BUILD_DIR)/bin $(BENCH_DIR)/bin $(BUILD_DIR)/tools/dictionary/taviro-build-dictionary
	./bench/worst_cases.sh $(BUILD_DIR)/bin
	./$(BENCH_DIR)/bin/engine_bench --benchmark_min_time=0.2

# Each fuzz target runs for FUZZ_SECONDS on a working copy of its seed corpus:
# six targets, a few minutes in all. Longer campaigns: make fuzz FUZZ_SECONDS=600.
FUZZ_DIR     ?= build-fuzz
FUZZ_SECONDS ?= 40
FUZZ_FLAGS   := -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer

fuzz:
	@./scripts/install-deps fuzz
	cmake -S . -B $(FUZZ_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
	    -DTAVIRO_FUZZ=ON -DTAVIRO_BUILD_TESTS=OFF -DTAVIRO_BUILD_UI=OFF \
	    "-DCMAKE_CXX_FLAGS=$(FUZZ_FLAGS)" "-DCMAKE_EXE_LINKER_FLAGS=$(FUZZ_FLAGS)"
	cmake --build $(FUZZ_DIR) -j$(JOBS)
	./scripts/run-fuzzers $(FUZZ_DIR) $(FUZZ_SECONDS)

clean:
	rm -rf $(BUILD_DIR) $(TEST_DIR) $(FUZZ_DIR) $(BENCH_DIR)
