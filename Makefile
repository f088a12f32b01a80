.PHONY: run test build bench clean

run:
	@scripts/run.sh

test:
	@scripts/test.sh

build:
	@scripts/bootstrap.sh && scripts/build.sh

bench:
	@scripts/bench.sh

clean:
	rm -rf build
