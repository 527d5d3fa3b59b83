# The image's own pieces of the crypto library: a minimal library context, an error queue
# that records nothing, thread primitives that allocate nothing, and fail-safe ends for the
# calls into layers the image leaves out. They are compiled against the library's internal
# headers. The host tests link the ordinary host libcrypto instead.
set(vorq_openssl_replacements LibraryContext.c ErrorQueue.c Threads.c UnreachedCryptoCalls.c)
vorq_image_only_sources(${vorq_openssl_replacements})
foreach(source IN LISTS vorq_openssl_replacements)
  set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/${source} PROPERTIES
    INCLUDE_DIRECTORIES "${VORQ_OPENSSL_SOURCE};${VORQ_OPENSSL_SOURCE}/include"
    COMPILE_OPTIONS "-Wno-unused-parameter")
endforeach()
