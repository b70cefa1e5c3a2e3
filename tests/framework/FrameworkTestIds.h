// Resource ids of the framework tests' dialog templates.
#pragma once

#define IDD_FRAMEWORK_TEST 200
#define IDD_FRAMEWORK_HIDDEN 201

#define IDC_TEST_EDIT 2001
#define IDC_TEST_SPIN 2002
#define IDC_TEST_SLIDER 2003
#define IDC_TEST_LINK 2004
#define IDC_TEST_LABEL 2005
#define IDC_TEST_PLAIN 2006
#define IDC_TEST_BUTTON 2007
