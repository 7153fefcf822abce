# The two commands of the README: `make run` and `make test`.
BUILD_DIR ?= build
WERROR ?= OFF
CMAKE_FLAGS ?=
PREFIX ?= /usr/local

.PHONY: deps configure build run test bench fuzz screenshots install package clean

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVANTIQ_WERROR=$(WERROR) $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD_DIR)

run: build
	@if [ -z "$$DISPLAY$$WAYLAND_DISPLAY$$QT_QPA_PLATFORM" ]; then \
	  echo "make run: no display here (DISPLAY is not set); to run Vantiq under a virtual X server: xvfb-run -a make run"; \
	else $(BUILD_DIR)/src/vantiq; fi

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure

# Every benchmark: first the one table of the figures that matter most,
# then each benchmark's own detail. Figures only; nothing is asserted.
bench: build
	@export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=$(CURDIR)/$(BUILD_DIR)/xdg-runtime; \
	$(BUILD_DIR)/benchmarks/bench_table && \
	for b in cardata entry analysis graph dataview import; do $(BUILD_DIR)/benchmarks/bench_$$b || exit 1; done

# The tests under the sanitizers, then every fuzz target for FUZZ_SECONDS
# each, what it learned merged into its corpus in tests/fuzz/corpus (commit it).
FUZZ_SECONDS ?= 600
fuzz: deps
	scripts/sanitize-and-fuzz $(FUZZ_SECONDS) --grow

# Renders the README's tour and the user guide's pictures under a virtual X
# server, then builds again so the guide carries the new pictures.
screenshots: build
	xvfb-run -a -s "-screen 0 1600x1000x24" $(BUILD_DIR)/tools/vantiq_screenshots docs/screenshots
	@dark=$$(mktemp -d) && xvfb-run -a -s "-screen 0 1600x1000x24" $(BUILD_DIR)/tools/vantiq_screenshots --dark $$dark >/dev/null && \
	  cp $$dark/dark-vehicle-manager.png $$dark/dark-fuel-entry.png $$dark/dark-analysis-summary.png $$dark/dark-graph.png docs/screenshots/ && \
	  rm -rf $$dark
	@cmake --build $(BUILD_DIR)

# make install PREFIX=~/.local installs for one user: a release build of the
# program alone, stripped; the build of `make run` and the tests keeps its
# debug information.
RELEASE_DIR ?= build-release
install: deps
	@cmake -S . -B $(RELEASE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release -DVANTIQ_BENCHMARKS=OFF >/dev/null
	@cmake --build $(RELEASE_DIR) --target vantiq vantiq_docs
	cmake --install $(RELEASE_DIR) --prefix $(PREFIX) --strip

# make package: vantiq_<version>_amd64.deb in build-release/, from the same
# release build, stripped.
package: deps
	@cmake -S . -B $(RELEASE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release -DVANTIQ_BENCHMARKS=OFF >/dev/null
	@cmake --build $(RELEASE_DIR) --target vantiq vantiq_docs
	cd $(RELEASE_DIR) && cpack -G DEB

clean:
	rm -rf $(BUILD_DIR) $(RELEASE_DIR)
