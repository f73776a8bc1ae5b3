# MPFR, the reference the run-time's arithmetic is held against (mpfr_reference.hpp): only the
# build machine's tests and benchmarks link it, never a program.
if(NOT TARGET crout_mpfr_reference)
    pkg_check_modules(MPFR REQUIRED IMPORTED_TARGET mpfr)
    add_library(crout_mpfr_reference STATIC ${CMAKE_CURRENT_LIST_DIR}/mpfr_reference.cpp)
    target_include_directories(crout_mpfr_reference PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(crout_mpfr_reference PUBLIC crout_runtime PkgConfig::MPFR)
endif()
