#!/usr/bin/env python3
"""Prints attribute values of a layout, one a line, so the pictures are drawn where the layouts
place things: each QUERY is an ElementTree path to one element, then "@" and the attribute.

    layout_values.py LAYOUT.xml ".//*[@name='btn_edit']@pos" "@width"

A query that finds no element or no attribute is an error: a layout change must not leave a
picture drawn for a place that is gone.
"""

import sys
import xml.etree.ElementTree as ElementTree


def main():
    if len(sys.argv) < 3:
        raise SystemExit(__doc__)
    root = ElementTree.parse(sys.argv[1]).getroot()
    for query in sys.argv[2:]:
        path, _, attribute = query.rpartition("@")
        element = root.find(path) if path else root
        value = element.get(attribute) if element is not None else None
        if value is None:
            raise SystemExit(f"{sys.argv[1]}: nothing at {query}")
        print(value)


if __name__ == "__main__":
    main()
