# Warnings as errors everywhere; Windows builds are static and target Windows 7.
add_compile_options("$<$<COMPILE_LANGUAGE:CXX>:-Wall;-Wextra;-Werror>")

option(DXI_SANITIZE "Build with AddressSanitizer and UBSan (host only)" OFF)
if(DXI_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
  # GCC 12's array-bounds analysis misreads the sanitizer's instrumentation of
  # virtual-base copies as out-of-bounds access (false positives only here).
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    add_compile_options(-Wno-array-bounds)
  endif()
endif()

if(WIN32)
  enable_language(RC)
  add_compile_definitions(WINVER=0x0601 _WIN32_WINNT=0x0601 NOMINMAX WIN32_LEAN_AND_MEAN)
  add_link_options(-static -static-libgcc -static-libstdc++)
endif()

# The release executables (MinSizeRel): each function and object in its own
# section so the linker drops what nothing references, and no symbols.
if(WIN32)
  add_compile_options("$<$<AND:$<CONFIG:MinSizeRel>,$<COMPILE_LANGUAGE:CXX>>:-ffunction-sections;-fdata-sections>")
  add_link_options("$<$<CONFIG:MinSizeRel>:LINKER:--gc-sections;-s>")
  # 32-bit code unwinds exceptions through DWARF tables about as large as the
  # code. The program catches no exception, so one thrown ends it with or
  # without them: its 32-bit release build has none.
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    add_compile_options(
      "$<$<AND:$<CONFIG:MinSizeRel>,$<COMPILE_LANGUAGE:CXX>>:-fno-exceptions;-fno-asynchronous-unwind-tables>")
  endif()
endif()
