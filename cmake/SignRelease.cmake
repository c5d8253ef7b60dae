# SPDX-FileCopyrightText: 2026 Quillon Solutions
# SPDX-License-Identifier: Apache-2.0

# Signs the release's program and package with a publisher's code-signing
# certificate, for WriteDist.cmake. The certificate comes from the environment of
# the build, never from the CMake cache, so it stays out of every file and log of
# the build tree:
#
#   FROSTLANE_SIGN_PFX            the certificate and its private key, a PKCS#12 file
#   FROSTLANE_SIGN_PASSWORD       that file's password (empty for a file without one)
#   FROSTLANE_SIGN_TIMESTAMP_URL  optional: an RFC 3161 time-stamp authority
#
# With none of them set the release stays unsigned. With any of them set, the
# release is signed or the build fails, so a publisher who meant to sign never
# gets an unsigned file by mistake.
#
# The signature is SHA-256 Authenticode made by osslsigncode. The password reaches
# osslsigncode through a file in a folder only the builder can open, never on a
# command line (which every user may read in the process list), and the file is
# deleted as soon as osslsigncode has read it.

# Whether the environment asks for a signed release.
function(frostlane_signing_requested result)
  if(DEFINED ENV{FROSTLANE_SIGN_PFX} OR DEFINED ENV{FROSTLANE_SIGN_PASSWORD}
     OR DEFINED ENV{FROSTLANE_SIGN_TIMESTAMP_URL})
    set(${result} TRUE PARENT_SCOPE)
  else()
    set(${result} FALSE PARENT_SCOPE)
  endif()
endfunction()

# Writes SIGNED, the file INPUT (a program or a Windows Installer package) with an
# Authenticode signature naming the program TITLE and its web site URL. WORK is a
# scratch folder of the builder's. Any failure ends the script with a message that
# says what to put right and leaves no SIGNED behind.
function(frostlane_sign_file input signed work title url)
  set(pfx "$ENV{FROSTLANE_SIGN_PFX}")
  if(pfx STREQUAL "")
    message(FATAL_ERROR "Signing the release: FROSTLANE_SIGN_PFX must name the PKCS#12 file that holds the "
                        "code-signing certificate and its key (leave FROSTLANE_SIGN_PFX, FROSTLANE_SIGN_PASSWORD "
                        "and FROSTLANE_SIGN_TIMESTAMP_URL all unset for an unsigned release)")
  endif()
  # The build runs in the build folder, not where the publisher stands.
  if(NOT IS_ABSOLUTE "${pfx}")
    message(FATAL_ERROR "Signing the release: FROSTLANE_SIGN_PFX must be an absolute path, not '${pfx}'")
  endif()
  if(NOT EXISTS "${pfx}" OR IS_DIRECTORY "${pfx}")
    message(FATAL_ERROR "Signing the release: FROSTLANE_SIGN_PFX names no file: '${pfx}'")
  endif()
  if(NOT DEFINED ENV{FROSTLANE_SIGN_PASSWORD})
    message(FATAL_ERROR "Signing the release: set FROSTLANE_SIGN_PASSWORD to the password of '${pfx}' "
                        "(set it empty for a file without one)")
  endif()
  find_program(osslsigncode NAMES osslsigncode)
  if(NOT osslsigncode)
    message(FATAL_ERROR "Signing the release: osslsigncode is not installed (Debian package osslsigncode)")
  endif()

  get_filename_component(name "${input}" NAME)
  file(REMOVE "${signed}")
  set(private "${work}/private")
  file(REMOVE_RECURSE "${private}")
  # Closed to other users before the password goes in: a file in it cannot be
  # opened by them whatever its own permissions are.
  file(MAKE_DIRECTORY "${private}")
  file(CHMOD "${private}" DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
  file(WRITE "${private}/password" "$ENV{FROSTLANE_SIGN_PASSWORD}")

  set(timestamp)
  if(NOT "$ENV{FROSTLANE_SIGN_TIMESTAMP_URL}" STREQUAL "")
    set(timestamp -ts "$ENV{FROSTLANE_SIGN_TIMESTAMP_URL}")
  endif()
  execute_process(
    COMMAND "${osslsigncode}" sign -pkcs12 "${pfx}" -readpass "${private}/password" -h sha256
            -n "${title}" -i "${url}" ${timestamp} -in "${input}" -out "${signed}"
    RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
  file(REMOVE_RECURSE "${private}")
  if(NOT status EQUAL 0)
    file(REMOVE "${signed}")
    set(reason "")
    if(output MATCHES "Wrong password|mac verify failure")
      set(reason " The password in FROSTLANE_SIGN_PASSWORD does not open '${pfx}'.")
    elseif(output MATCHES "[Tt]imestamp")
      set(reason " The time-stamp authority at '$ENV{FROSTLANE_SIGN_TIMESTAMP_URL}' gave no time stamp.")
    endif()
    string(STRIP "${output}" output)
    message(FATAL_ERROR "Signing the release: osslsigncode could not sign ${name}.${reason}\n${output}")
  endif()
endfunction()

# Writes SIGNED, the program INPUT signed as frostlane_sign_file signs it, once the
# signed file has been checked to be INPUT and its signature, nothing more.
function(frostlane_sign_program input signed work title url)
  get_filename_component(name "${signed}" NAME)
  set(unchecked "${signed}.unchecked")
  frostlane_sign_file("${input}" "${unchecked}" "${work}" "${title}" "${url}")

  # The published file must give back the reproducible build once its signature
  # is removed, or nobody could check it against the source.
  execute_process(
    COMMAND "${osslsigncode}" remove-signature -in "${unchecked}" -out "${work}/without-signature"
    RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(status EQUAL 0)
    file(SHA256 "${input}" built)
    file(SHA256 "${work}/without-signature" recovered)
  endif()
  file(REMOVE "${work}/without-signature")
  if(NOT status EQUAL 0 OR NOT built STREQUAL recovered)
    file(REMOVE "${unchecked}")
    message(FATAL_ERROR "Signing the release: ${name} without its signature is not the program as built, "
                        "so the signed file could not be checked against the source.\n${output}")
  endif()
  file(RENAME "${unchecked}" "${signed}")
endfunction()
