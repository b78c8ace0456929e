# Wraps the CMake commands; the build logic lives in CMake.
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: all deps build run test test-sanitize package bench clean

all: build

deps:
	tools/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j$(JOBS)

run: build
	$(BUILD)/bin/marquee-sketch

# The whole suite, then again under AddressSanitizer and UndefinedBehaviorSanitizer.
test: build
	ctest --test-dir $(BUILD) --output-on-failure -j$(JOBS)
	$(MAKE) test-sanitize

# The package check is left out: a .deb is made from the release build only.
test-sanitize: deps
	cmake -S . -B $(BUILD)-sanitize -DCMAKE_BUILD_TYPE=Debug -DMARQUEE_SANITIZE=ON -DMARQUEE_BENCH=OFF
	cmake --build $(BUILD)-sanitize -j$(JOBS)
	ctest --test-dir $(BUILD)-sanitize --output-on-failure -j$(JOBS) -LE "board|package"

# The Debian package, in $(BUILD)/.
package: build
	cd $(BUILD) && cpack -G DEB

bench: build
	$(BUILD)/bin/marquee-bench
	$(BUILD)/bin/marquee-bench-upload
	$(BUILD)/bin/marquee-bench-gif
	$(BUILD)/bin/marquee-bench-show

clean:
	rm -rf $(BUILD) $(BUILD)-sanitize
