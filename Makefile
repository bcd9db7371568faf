# Quillfen: `make run` starts the designer, `make test` runs every test.
BUILD_DIR ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all deps configure build test run bench package clean sanitize tsan fuzz docs docs-undocumented

all: build

deps:
	@bash scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

test: build
	@cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# Reference documentation of the installed headers (Doxygen) in $(BUILD_DIR)/docs/html.
docs: configure
	@cmake --build $(BUILD_DIR) --target docs

# The members of the main client classes that have no documentation comment yet.
docs-undocumented: configure
	@cmake --build $(BUILD_DIR) --target docs-undocumented
	@echo "$$(grep -c 'is not documented' $(BUILD_DIR)/docs-undocumented/undocumented.txt) undocumented members: $(BUILD_DIR)/docs-undocumented/undocumented.txt"

run: build
	@$(BUILD_DIR)/app/quillfen

# Debian packages of this build in $(BUILD_DIR)/packages (quillfen_<version>_<arch>.deb).
package: build
	@cd $(BUILD_DIR) && cpack -G DEB

bench: build
	@for b in $(BUILD_DIR)/bench/bench_*; do [ -x "$$b" ] && "$$b"; done

# Clang builds with sanitizers, each in its own folder.
SAN_DIR ?= build-sanitize
TSAN_DIR ?= build-tsan
FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 60
CLANG_CONFIG = -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ -DQUILLFEN_BENCH=OFF
# sanitize and fuzz share one build folder: the fuzz targets need the libraries built with the same
# sanitizers (plus coverage), so the libraries are compiled once for both.
SAN_CONFIG = $(CLANG_CONFIG) -DQUILLFEN_FUZZ=ON
SUPP = $(CURDIR)/scripts/sanitizers

# The whole suite under AddressSanitizer and UndefinedBehaviorSanitizer.
sanitize: deps
	@cmake -S . -B $(SAN_DIR) $(SAN_CONFIG) >/dev/null
	@cmake --build $(SAN_DIR) -j $(JOBS)
	@cd $(SAN_DIR) && QT_QPA_PLATFORM=offscreen \
	  ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1 \
	  LSAN_OPTIONS=suppressions=$(SUPP)/lsan.supp:print_suppressions=0 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --output-on-failure -j $(JOBS)

# The tests that start threads under ThreadSanitizer.
tsan: deps
	@cmake -S . -B $(TSAN_DIR) $(CLANG_CONFIG) -DQUILLFEN_SANITIZE=thread >/dev/null
	@cmake --build $(TSAN_DIR) -j $(JOBS) --target threads_tests
	@cd $(TSAN_DIR) && QT_QPA_PLATFORM=offscreen \
	  TSAN_OPTIONS=suppressions=$(SUPP)/tsan.supp:halt_on_error=1:second_deadlock_stack=1 \
	  ctest --output-on-failure -L threads

# Every fuzz target for FUZZ_SECONDS seconds, built in the sanitizer folder; corpora, logs and
# findings go to $(FUZZ_DIR) (findings in $(FUZZ_DIR)/crashes/).
fuzz: deps
	@cmake -S . -B $(SAN_DIR) $(SAN_CONFIG) >/dev/null
	@cmake --build $(SAN_DIR) -j $(JOBS) --target fuzzers
	@bash fuzz/run.sh $(SAN_DIR) $(FUZZ_SECONDS) $(FUZZ_DIR)

clean:
	@rm -rf $(BUILD_DIR) $(SAN_DIR) $(TSAN_DIR) $(FUZZ_DIR)
