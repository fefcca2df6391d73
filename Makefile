# Convenience targets. `make test` and `make run` do all the set-up on a
# fresh Debian 12 machine (as root): packages, configure, build.
.PHONY: deps deps-windows build test build-asan test-asan windows test-windows windows-package run clean

# The Linux program needs no Wine nor cross compiler; the Windows targets
# install those themselves.
deps:
	./scripts/install-deps.sh

deps-windows:
	./scripts/install-deps.sh windows

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
windows: deps-windows
	./scripts/fetch-yaml-cpp-source.sh build/yaml-cpp-source
	cmake --preset windows
	cmake --build --preset windows

# The Windows tests include one that compares trotix-gait.exe with the Linux
# program, so the Linux build comes first.
test-windows: build windows
	./tests/xvfb-run.sh ctest --preset windows

windows-package: windows
	cmake --build --preset windows --target windows_package

run: build
	./scripts/run-trotix.sh

clean:
	rm -rf build
