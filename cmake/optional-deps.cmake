# Libraries that only some subsystems need are attached here, so that the subsystem lists above
# stay readable. iconv is part of glibc and needs no library.
