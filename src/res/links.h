// Addresses of Chromivo's web pages, shared by the resource script and the code.
#pragma once

// The folder that holds the product's pages; the site serves its home page there too, and the
// main window shows this short form, which fits its link.
#define CHROMIVO_PAGES_FOLDER "http://chromivo.example/"
#define CHROMIVO_HOME_PAGE CHROMIVO_PAGES_FOLDER "index.htm"
#define CHROMIVO_FAQ_PAGE CHROMIVO_PAGES_FOLDER "faq.htm"
#define CHROMIVO_REFER_PAGE CHROMIVO_PAGES_FOLDER "refer.htm"
#define CHROMIVO_SUPPORT_MAIL "mailto:support@chromivo.example"
