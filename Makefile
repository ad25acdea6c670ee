# The two commands of the project:
#   make run   installs what is missing, builds and starts the player:
#              the desktop player velmo when a display is there (DISPLAY
#              or WAYLAND_DISPLAY set), the terminal player otherwise
#   make test  installs what is missing, builds and runs every test
BUILD ?= build
SANBUILD ?= build-sanitize
JOBS ?= $(shell nproc)
# The story that "make run" opens; "make run STORY=other.velmo" plays another.
STORY ?= stories/uhrmacher.velmo
# "make test WERROR=1" turns warnings into errors (CI does); the option is
# passed on every build, so a build folder configured before follows it.
WERROR ?= 0
WERROR_FLAG = -DVELMO_WERROR=$(if $(filter 1 ON on yes,$(WERROR)),ON,OFF)

.PHONY: run test build deps sanitize bench fuzz clean install package

deps:
	@scripts/install-deps.sh

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: deps $(BUILD)/build.ninja
	cmake -S . -B $(BUILD) $(WERROR_FLAG) > /dev/null
	cmake --build $(BUILD) -j $(JOBS)

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

run: build
	@if [ -n "$${DISPLAY:-}$${WAYLAND_DISPLAY:-}" ]; then \
		$(BUILD)/velmo $(STORY); \
	else \
		$(BUILD)/velmo-term $(STORY); \
	fi

# "make install" into PREFIX (default /usr/local; DESTDIR works too).
PREFIX ?= /usr/local
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# The Debian package velmo_VERSION_ARCH.deb in the build folder.
package: build
	cd $(BUILD) && cpack -G DEB

sanitize: deps
	cmake -S . -B $(SANBUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVELMO_SANITIZE=ON $(WERROR_FLAG)
	cmake --build $(SANBUILD) -j $(JOBS)
	cd $(SANBUILD) && ctest --output-on-failure -j $(JOBS)

bench:
	bench/run

# The fuzz targets, each for FUZZ_SECONDS (clang and libFuzzer; not part
# of "make test", which replays the saved inputs only).
FUZZ_SECONDS ?= 60
fuzz:
	fuzz/run $(FUZZ_SECONDS)

clean:
	rm -rf $(BUILD) $(SANBUILD) build-release build-fuzz
