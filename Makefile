# The two commands of the README: `make run` and `make test`.  Both install
# the Debian packages they need when missing (as root, apt-get), configure,
# build and then run.

BUILD      ?= build
BUILD_FUZZ ?= build-fuzz
JOBS       ?= $(shell nproc)
FUZZ_SECONDS ?= 30

# Build and test tools, the Qt 6 libraries, and what the package check uses.
PAQUETES := cmake make g++ libgtest-dev libgmock-dev libbenchmark-dev clang libclang-rt-14-dev \
            qt6-base-dev qt6-multimedia-dev qt6-svg-dev qt6-charts-dev libqt6opengl6-dev \
            desktop-file-utils appstream dpkg-dev file man-db librsvg2-bin lintian

.PHONY: all run test bench fuzz soak-red deps configure build deb clean

all: build

deps:
	@./tools/instalar-paquetes.sh $(PAQUETES)

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@./tools/arrancar.sh $(BUILD)

test: build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)
	@$(MAKE) --no-print-directory fuzz FUZZ_SECONDS=$(FUZZ_SECONDS)

# The Debian package of the two programs, in $(BUILD)/ (see the README).
deb: build
	@cd $(BUILD) && cpack -G DEB
	@ls $(BUILD)/parchis_*.deb

# Short bounded runs of the fuzzers (the state-file reader, then the
# computer player on what the reader accepts), FUZZ_SECONDS each;
# `make fuzz FUZZ_SECONDS=600` for long ones.  Each prints its executions
# per second.  Nothing else writes to a run's corpus folder, so it is not
# read again during the run (-reload=0).  The network fuzzer starts from
# real messages, the others from state files.  The player's fuzzer gives
# less of its schedule to the inputs whose search runs long (up to 8,192
# nodes, a hundred times a short run and more): in equal time it reached
# as much code, at three times the rate.  A run starts by running its whole
# kept corpus, where a reduced input is added beside the one it reduces:
# after each run the folder is cut down to the inputs that add coverage
# (-merge=1), which halved the player's start.
# The room server's opening lines are a small grammar: a third of the time.
FUZZERS := estado jugador red sala
fuzz: deps
	@CXX=clang++ CC=clang cmake -S . -B $(BUILD_FUZZ) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPARCHIS_FUZZ=ON -DPARCHIS_TESTS=OFF >/dev/null
	@cmake --build $(BUILD_FUZZ) -j $(JOBS) --target $(addprefix fuzz_,$(FUZZERS))
	@for f in $(FUZZERS); do \
	    mkdir -p $(BUILD_FUZZ)/corpus-$$f; \
	    $(BUILD_FUZZ)/fuzz_$$f -max_total_time=$$([ $$f = sala ] && echo $$(( ($(FUZZ_SECONDS) + 2) / 3 )) || echo $(FUZZ_SECONDS)) \
	        -print_final_stats=1 -reload=0 \
	        $$([ $$f = jugador ] && echo -entropic_scale_per_exec_time=1) \
	        $(BUILD_FUZZ)/corpus-$$f fuzz/corpus/$$(case $$f in (red|sala) echo $$f;; (*) echo estado;; esac) > $(BUILD_FUZZ)/fuzz-$$f.log 2>&1 \
	        || { tail -n 40 $(BUILD_FUZZ)/fuzz-$$f.log; exit 1; }; \
	    echo "fuzz_$$f: $$(grep -E '^Done' $(BUILD_FUZZ)/fuzz-$$f.log)," \
	         "$$(awk '/average_exec_per_sec/ {print $$2}' $(BUILD_FUZZ)/fuzz-$$f.log) executions per second"; \
	    rm -rf $(BUILD_FUZZ)/corpus-$$f.min && mkdir $(BUILD_FUZZ)/corpus-$$f.min; \
	    $(BUILD_FUZZ)/fuzz_$$f -merge=1 $(BUILD_FUZZ)/corpus-$$f.min $(BUILD_FUZZ)/corpus-$$f > $(BUILD_FUZZ)/merge-$$f.log 2>&1 \
	        && rm -rf $(BUILD_FUZZ)/corpus-$$f && mv $(BUILD_FUZZ)/corpus-$$f.min $(BUILD_FUZZ)/corpus-$$f; \
	done

# The long network soak: 200 games between four terminal programs, then
# games where a client is killed and started again at random moments.
SOAK_PARTIDAS ?= 200
soak-red: build
	@sh tests/tools/red_extremo.sh $(BUILD)/src/tools/parchis-texto $(SOAK_PARTIDAS)
	@sh tests/tools/red_extremo.sh $(BUILD)/src/tools/parchis-texto $(SOAK_PARTIDAS) cortes

bench: configure
	@cmake --build $(BUILD) -j $(JOBS) --target benchmarks
	@for b in $(BUILD)/bench/bench_*; do [ -x "$$b" ] && "$$b"; done

clean:
	rm -rf $(BUILD) $(BUILD_FUZZ)
