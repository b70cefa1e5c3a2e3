// Addresses of Chromivo's web pages, shared by the resource script and the code.
#pragma once

#define CHROMIVO_PAGES "http://chromivo.example/"
#define CHROMIVO_HOME_PAGE "http://chromivo.example/index.htm"
#define CHROMIVO_FAQ_PAGE "http://chromivo.example/faq.htm"
#define CHROMIVO_REFER_PAGE "http://chromivo.example/refer.htm"
#define CHROMIVO_SUPPORT_MAIL "mailto:support@chromivo.example"
