# The two commands a newcomer needs: `make run` and `make test`.
JOBS ?= $(shell nproc)

.PHONY: run test bench setup clean

setup:
	@build-aux/setup

run: setup
	cmake -S . -B build/run -DCMAKE_BUILD_TYPE=Release -DQUOTARA_TESTS=OFF
	cmake --build build/run -j $(JOBS) --target quotara
	build/run/src/quotara

test: setup
	cmake -S . -B build/test -DCMAKE_BUILD_TYPE=Debug -DQUOTARA_SANITIZE=ON
	cmake --build build/test -j $(JOBS)
	cd build/test && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench:
	@build-aux/setup --bench
	cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release -DQUOTARA_TESTS=OFF -DQUOTARA_BENCH=ON
	cmake --build build/bench -j $(JOBS)
	@for b in build/bench/bench/*/bench_*; do echo "== $$b"; $$b; done

clean:
	rm -rf build
