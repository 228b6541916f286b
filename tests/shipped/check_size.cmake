# cmake -DEXE=... -DLIMIT=... -P check_size.cmake: EXE is at most LIMIT bytes.
file(SIZE ${EXE} size)
message("${EXE}: ${size} bytes of at most ${LIMIT}")
if(size GREATER LIMIT)
    message(FATAL_ERROR "${EXE} is larger than ${LIMIT} bytes")
endif()
