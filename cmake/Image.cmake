# The PE32+ image: the module's sources compiled freestanding for the x86-64 Windows target
# (PE/COFF objects, Microsoft x64 convention), linked by lld-link with the freestanding
# libcrypto into an EFI boot-service driver at base 0 with its base relocations.
find_program(VORQ_LLD_LINK NAMES lld-link lld-link-14 REQUIRED)

set(VORQ_IMAGE_COMPILE_OPTIONS
  --target=x86_64-unknown-windows -U_WIN32 -U_WIN64 -U_MSC_VER
  -ffreestanding -nostdlibinc -fno-builtin-memset
  "$<$<COMPILE_LANGUAGE:CXX>:-fno-exceptions;-fno-rtti;-fno-threadsafe-statics;-fno-use-cxa-atexit>"
  -fno-stack-protector -fno-asynchronous-unwind-tables -fno-unwind-tables
  -ffunction-sections -fdata-sections
  -mno-avx -mno-avx2 -mno-avx512f
  -Os -g0
  -mno-incremental-linker-compatible
  -Wall -Wextra
  # Paths of this build machine must not reach the image.
  -ffile-prefix-map=${CMAKE_SOURCE_DIR}=.
  -ffile-prefix-map=${CMAKE_BINARY_DIR}=.)

set(VORQ_IMAGE_LINK_OPTIONS
  /nologo /subsystem:efi_boot_service_driver /entry:ImageEntryPoint
  /base:0 /dynamicbase /nodefaultlib /opt:ref /opt:icf
  /brepro /debug:none /timestamp:0
  # The patchable message level stays in the image even where nothing reads it.
  /include:PcdDebugMessageLevel)

# Compiles SOURCES into the object library TARGET with the image's flags and the fixed
# settings of FLAVOUR (shipped or debug).
function(vorq_image_object_library target flavour)
  add_library(${target} OBJECT ${ARGN})
  # The host's own flags (build type, -fPIC) do not belong in a firmware image.
  set_target_properties(${target} PROPERTIES POSITION_INDEPENDENT_CODE OFF)
  target_include_directories(${target} PRIVATE
    ${VORQ_MODULE_INCLUDE_DIRS} ${VORQ_UEFI_CRYPTO_INCLUDE_DIRS}
    ${CMAKE_SOURCE_DIR}/CryptoPkg/Library/OpensslLib/Include)
  target_compile_definitions(${target} PRIVATE VORQ_IMAGE_BUILD OPENSSL_SUPPRESS_DEPRECATED SIXTY_FOUR_BIT)
  if(flavour STREQUAL "debug")
    target_compile_definitions(${target} PRIVATE VORQ_FLAVOUR_DEBUG)
  endif()
  target_compile_options(${target} PRIVATE ${VORQ_IMAGE_COMPILE_OPTIONS})
endfunction()

# Links the image OUTPUT_DIR/VorqSmmImageAuthenticator.efi (and its map) from the module's
# objects, the built-in key's object and the freestanding libcrypto. Only the link step
# differs between images that trust different keys. TARGET names the link.
function(vorq_link_image target output_dir module_objects key_objects)
  set(image ${output_dir}/VorqSmmImageAuthenticator.efi)
  add_custom_command(
    OUTPUT ${image} ${output_dir}/VorqSmmImageAuthenticator.map
    COMMAND ${CMAKE_COMMAND} -E make_directory ${output_dir}
    COMMAND ${VORQ_LLD_LINK} ${VORQ_IMAGE_LINK_OPTIONS}
            /lldmap:${output_dir}/VorqSmmImageAuthenticator.map
            /out:${image}
            $<TARGET_OBJECTS:${module_objects}> $<TARGET_OBJECTS:${key_objects}> ${VORQ_UEFI_CRYPTO_LIBRARY}
    DEPENDS ${module_objects} ${key_objects} $<TARGET_OBJECTS:${module_objects}> $<TARGET_OBJECTS:${key_objects}>
            ${VORQ_UEFI_CRYPTO_LIBRARY}
    COMMAND_EXPAND_LISTS
    COMMENT "Linking ${image}")
  add_custom_target(${target} ALL DEPENDS ${image})
endfunction()

# The built-in key is an object of its own, so that an image for another key repeats only the
# link.
vorq_image_object_library(vorq_image_key_platform shipped ${VORQ_SIGNING_KEY_SOURCE})

# The shipped image and the debug flavour beside it; they differ only in their fixed settings.
foreach(flavour IN ITEMS shipped debug)
  vorq_image_object_library(vorq_image_objects_${flavour} ${flavour} ${VORQ_MODULE_SOURCES} ${VORQ_IMAGE_ONLY_SOURCES})
endforeach()
vorq_link_image(image_shipped ${CMAKE_BINARY_DIR} vorq_image_objects_shipped vorq_image_key_platform)
vorq_link_image(image_debug ${CMAKE_BINARY_DIR}/debug vorq_image_objects_debug vorq_image_key_platform)
