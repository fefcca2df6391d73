# Convenience targets. `make test` and `make run` do all the set-up on a
# fresh Debian 12 machine (as root): packages, configure, build.
.PHONY: deps build test build-asan test-asan windows test-windows run clean

deps:
	./scripts/install-deps.sh

build: deps
	cmake --preset default
	cmake --build --preset default

test: build
	ctest --preset default

build-asan: deps
	cmake --preset asan
	cmake --build --preset asan

test-asan: build-asan
	ctest --preset asan

# The Windows programs, cross-built; their tests run under Wine on Xvfb.
windows: deps
	cmake --preset windows
	cmake --build --preset windows

test-windows: windows
	./tests/xvfb-run.sh ctest --preset windows

run: build
	./scripts/run-trotix.sh

clean:
	rm -rf build
