# The declared dependencies: Debian's -dev packages natively, the cross-built cache for win32.
find_package(Threads REQUIRED)
if(WIN32)
  # Windows ships no zlib1.dll: the static library, like every other dependency. A build
  # folder configured before this keeps the import library in its cache; it is looked up again.
  set(ZLIB_USE_STATIC_LIBS ON)
  if(ZLIB_LIBRARY_RELEASE MATCHES "\\.dll\\.a$")
    unset(ZLIB_LIBRARY_RELEASE CACHE)
  endif()
endif()
find_package(ZLIB REQUIRED)
find_package(SQLite3 REQUIRED)
find_package(EXPAT REQUIRED)
find_package(PNG REQUIRED)
find_package(JPEG REQUIRED)
find_package(GTest REQUIRED)

if(WIN32)
  # Everything is linked statically into one executable that runs without DLLs of ours.
  add_link_options(-static -static-libgcc -static-libstdc++)
  # The static expat needs to be told it is not imported from a DLL.
  set_property(TARGET EXPAT::EXPAT APPEND PROPERTY INTERFACE_COMPILE_DEFINITIONS XML_STATIC)
  add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
endif()

if(VELO_BENCH)
  find_package(benchmark REQUIRED)
endif()
