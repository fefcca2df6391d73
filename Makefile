# Convenience targets. `make test` and `make run` do all the set-up on a
# fresh Debian 12 machine (as root): packages, configure, build.
.PHONY: deps build test build-asan test-asan run clean

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

run: build
	./scripts/run-trotix.sh

clean:
	rm -rf build
