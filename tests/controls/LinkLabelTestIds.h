// Identifiers of the link label tests' dialog.
#pragma once

#define IDD_LINK_TEST 200
#define IDC_TEST_CAPTIONED 201
#define IDC_TEST_EMPTY 202
#define IDC_TEST_HOVER 203
#define IDC_TEST_NO_CURSOR 204
