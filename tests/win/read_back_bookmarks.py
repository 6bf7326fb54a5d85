#!/usr/bin/env python3
"""Reads the bookmarks file that the list saved (FOLDER/all.html) with Python's own HTML parser
and checks that it holds exactly the titles and addresses that the list showed
(FOLDER/shown.tsv: "title<TAB>address" a row), in their order, and nothing else as markup."""
import html.parser
import sys


class Links(html.parser.HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.link = None
        self.links = []
        self.inside = []

    def handle_starttag(self, tag, attrs):
        if tag == "a":
            self.link = [dict(attrs).get("href"), ""]
        elif self.link is not None:
            self.inside.append(tag)

    def handle_data(self, data):
        if self.link is not None:
            self.link[1] += data

    def handle_endtag(self, tag):
        if tag == "a" and self.link is not None:
            self.links.append((self.link[1], self.link[0]))  # (title, address), as shown
            self.link = None


def main(folder):
    parser = Links()
    with open(folder + "/all.html", encoding="utf-8") as f:
        parser.feed(f.read())
    with open(folder + "/shown.tsv", encoding="utf-8") as f:
        shown = [tuple(line.split("\t", 1)) for line in f.read().splitlines()]
    if parser.inside:
        print("markup inside a link:", parser.inside)
        return 1
    if parser.links != shown or not shown:
        print("saved:", parser.links)
        print("shown:", shown)
        return 1
    print(f"{len(shown)} bookmarks, as shown")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
