# SPDX-FileCopyrightText: 2026 Quillon Solutions
# SPDX-License-Identifier: Apache-2.0

# The product's identity as the project() call and the variables beside it give
# it, written where each reader takes it from: a header for the program's code
# and its resource script, the manifest, and a JSON file for the Python tools
# and tests (FROSTLANE_IDENTITY_FILE, handed to them by path).
set(FROSTLANE_IDENTITY_DIR ${CMAKE_BINARY_DIR}/generated/identity)
configure_file(${CMAKE_SOURCE_DIR}/cmake/ProductIdentity.h.in ${FROSTLANE_IDENTITY_DIR}/ProductIdentity.h @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/assets/frostlane.manifest.in ${FROSTLANE_IDENTITY_DIR}/frostlane.manifest @ONLY)
set(FROSTLANE_IDENTITY_FILE ${CMAKE_BINARY_DIR}/identity.json)
file(CONFIGURE OUTPUT ${FROSTLANE_IDENTITY_FILE} @ONLY CONTENT [[{
  "maker": "@FROSTLANE_MAKER@",
  "product": "@FROSTLANE_PRODUCT@",
  "title": "@FROSTLANE_TITLE@",
  "site": "@PROJECT_HOMEPAGE_URL@",
  "version": "@PROJECT_VERSION@",
  "installed_name": "@FROSTLANE_INSTALLED_NAME@"
}
]])
