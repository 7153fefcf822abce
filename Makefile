# The two commands of the README: `make run` and `make test`.
BUILD_DIR ?= build
WERROR ?= OFF
CMAKE_FLAGS ?=

.PHONY: deps configure build run test clean

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVANTIQ_WERROR=$(WERROR) $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD_DIR)

run: build
	$(BUILD_DIR)/src/vantiq

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure

clean:
	rm -rf $(BUILD_DIR)
