// Where a page came from: the URL cache, or the history of one of today's browsers.
#pragma once

enum class PageSource { UrlCache, Edge, Chrome, Firefox };
