# The user's entry point. `make run` and `make test` install what is missing first.
# The builds themselves are CMakePresets.json's: release in build/, debug (the
# tests, under the sanitizers) in build-test/.
JOBS        ?= 2
BUILD_DIR   := build
TEST_DIR    := build-test

.PHONY: all deps build run test faults web npm extension package fuzz bench clean

# Each step builds in parallel through cmake (JOBS), so make runs its steps one
# after another whatever -j it is given: the packages are installed before any
# configure step needs them, and no two builds share a build folder at once.
.NOTPARALLEL:

all: build

deps:
	@./scripts/install-deps

$(BUILD_DIR)/CMakeCache.txt:
	cmake --preset release

build: deps $(BUILD_DIR)/CMakeCache.txt
	cmake --build --preset release -j$(JOBS)

run: build
	./$(BUILD_DIR)/bin/taviro

# The web page, build-web/taviro.html: the engine through Debian's emscripten,
# with the dictionary's rows taken from the words.mdb of $(BUILD_DIR). Its
# link step runs node scripts that need Debian's node modules.
WEB_DIR := build-web
WEB_ENV := NODE_PATH=/usr/share/nodejs

# em++ turns exceptions off unless told: every layer of the page is compiled
# with them, since the engine reports its failures by throwing. WebAssembly's
# own exceptions cost nothing until one is thrown, where emscripten's older
# JavaScript ones slow every call that might throw: the conversion takes half
# the time. Browsers have had them since 2022 (Chrome 95, Firefox 100, Safari
# 15.2), node since 17. web/CMakeLists.txt refuses a configuration without
# the flag, since it links with it.
$(WEB_DIR)/CMakeCache.txt: Makefile
	$(WEB_ENV) emcmake cmake -S . -B $(WEB_DIR) -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS=-fwasm-exceptions \
	    -DTAVIRO_WORDS_MDB=$(abspath $(BUILD_DIR))/bin/words.mdb

web: deps $(BUILD_DIR)/CMakeCache.txt
	@./scripts/install-deps web
	cmake --build $(BUILD_DIR) -j$(JOBS) --target taviro_words
	$(MAKE) $(WEB_DIR)/CMakeCache.txt
	$(WEB_ENV) cmake --build $(WEB_DIR) -j$(JOBS)

# The npm package, $(WEB_DIR)/taviro-VERSION.tgz, which make web packs with
# the page; this lists what it holds. npm keeps its cache in the build, as
# when make web packs, so that listing writes nothing in the user's home.
npm: web
	cd $(WEB_DIR)/package && npm_config_cache=$(abspath $(WEB_DIR))/npm-cache npm pack --dry-run

# The browser extension, which make web builds with the page: its Chromium
# zip and Firefox .xpi in $(WEB_DIR)/, checked by web-ext lint, pinned with
# the other node tools in tests/web.
extension: web
	tests/web/node_modules/.bin/web-ext lint --source-dir $(WEB_DIR)/extension/unpacked --no-config-discovery
	@ls -1 $(WEB_DIR)/taviro-extension-*

# The Debian packages of the optimised build, in $(BUILD_DIR)/, checked by lintian.
package: build
	cd $(BUILD_DIR) && cpack -G DEB
	lintian --fail-on error $(BUILD_DIR)/*.deb

# The Python module and the packages are tested from $(BUILD_DIR), built
# without sanitizers: an extension built with them does not load into python3.
# The test build also compiles every public header on its own.
$(TEST_DIR)/CMakeCache.txt:
	cmake --preset debug

test: build web $(TEST_DIR)/CMakeCache.txt
	@./scripts/install-deps python
	cmake --build --preset debug -j$(JOBS)
	ctest --preset test -j$(JOBS)

# The fault-injection campaign of `make test` at every system call of every run,
# start-up included, instead of a sample: a few minutes. The optimised programs
# and the Python module of $(BUILD_DIR), the sanitized programs of $(TEST_DIR).
faults: build $(TEST_DIR)/CMakeCache.txt
	cmake --build $(TEST_DIR) -j$(JOBS) --target taviro-convert taviro-dict
	/usr/bin/python3 tests/faults/fault_campaign.py --all \
	    --convert $(BUILD_DIR)/bin/taviro-convert --dict $(BUILD_DIR)/bin/taviro-dict \
	    --python-path $(BUILD_DIR)/python --python /usr/bin/python3 \
	    --sanitized-convert $(TEST_DIR)/bin/taviro-convert --sanitized-dict $(TEST_DIR)/bin/taviro-dict \
	    --corpus ../shared/corpus/pa-ui-strings.utf8.txt --work-dir $(TEST_DIR)/faults-all

# Throughput and memory against iconv and ICU, the engine's kernels, then the
# web page's and the npm package's conversion speed beside the native program's,
# the Python module's in one process and on a two-worker Dask cluster, and how
# close plain letters come to Roman Punjabi as native speakers type it.
BENCH_DIR ?= build-bench

bench: build web
	@./scripts/install-deps bench
	cmake -S . -B $(BENCH_DIR) -DCMAKE_BUILD_TYPE=Release -DTAVIRO_BUILD_TESTS=OFF -DTAVIRO_BUILD_UI=OFF \
	    -DTAVIRO_BUILD_PYTHON=OFF -DTAVIRO_BUILD_BENCH=ON
	cmake --build $(BENCH_DIR) -j$(JOBS) --target engine_bench compare_loops
	./bench/throughput.sh $(BUILD_DIR)/bin $(BENCH_DIR)/bin $(BUILD_DIR)/tools/dictionary/taviro-build-dictionary
	./bench/worst_cases.sh $(BUILD_DIR)/bin
	./$(BENCH_DIR)/bin/engine_bench --benchmark_min_time=0.2
	node bench/web_page.mjs $(WEB_DIR)/taviro.html $(BUILD_DIR)/bin/taviro-convert ../shared/corpus/pa-ui-strings.utf8.txt
	node bench/npm_package.mjs $(WEB_DIR)/package $(BUILD_DIR)/bin/taviro-convert ../shared/corpus/pa-ui-strings.utf8.txt \
	    ../shared/corpus/pa-wikipedia.utf8.txt
	node bench/extension.mjs $(WEB_DIR)/extension/unpacked ../shared/corpus/pa-wikipedia.utf8.txt
	PYTHONPATH=$(BUILD_DIR)/python /usr/bin/python3 bench/python_cluster.py ../shared/corpus/pa-ui-strings.utf8.txt
	/usr/bin/python3 bench/typed_spellings.py $(BUILD_DIR)/bin/taviro-convert ../shared/pronunciations

# Each fuzz target runs for FUZZ_SECONDS on a working copy of its seed corpus:
# six targets, a few minutes in all. Longer campaigns: make fuzz FUZZ_SECONDS=600.
FUZZ_DIR     ?= build-fuzz
FUZZ_SECONDS ?= 40
FUZZ_FLAGS   := -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer

fuzz:
	@./scripts/install-deps fuzz
	cmake -S . -B $(FUZZ_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
	    -DTAVIRO_FUZZ=ON -DTAVIRO_BUILD_TESTS=OFF -DTAVIRO_BUILD_UI=OFF -DTAVIRO_BUILD_PYTHON=OFF \
	    "-DCMAKE_CXX_FLAGS=$(FUZZ_FLAGS)" "-DCMAKE_EXE_LINKER_FLAGS=$(FUZZ_FLAGS)"
	cmake --build $(FUZZ_DIR) -j$(JOBS)
	./scripts/run-fuzzers $(FUZZ_DIR) $(FUZZ_SECONDS)

clean:
	rm -rf $(BUILD_DIR) $(TEST_DIR) $(FUZZ_DIR) $(BENCH_DIR) $(WEB_DIR)
