// The tables of today's browsers' histories as the tests build them: two generations of
// Chromium's (the newer with Edge's extra table) and two of Firefox's, each with the indexes the
// readers walk. Only the tables and columns matter; what the browsers keep besides is left out.
#pragma once

// Two generations of Chromium's tables (the newer with Edge's extra table and more columns).
const char* const kChromiumSchemas[] = {
    "CREATE TABLE urls(id INTEGER PRIMARY KEY, url LONGVARCHAR, title LONGVARCHAR, visit_count INTEGER DEFAULT 0 "
    "NOT NULL, typed_count INTEGER DEFAULT 0 NOT NULL, last_visit_time INTEGER NOT NULL, hidden INTEGER DEFAULT 0 NOT "
    "NULL, favicon_id INTEGER DEFAULT 0 NOT NULL);"
    "CREATE TABLE visits(id INTEGER PRIMARY KEY, url INTEGER NOT NULL, visit_time INTEGER NOT NULL, from_visit "
    "INTEGER, transition INTEGER DEFAULT 0 NOT NULL, segment_id INTEGER, is_indexed BOOLEAN, visit_duration INTEGER "
    "DEFAULT 0 NOT NULL);"
    "CREATE INDEX visits_url_index ON visits (url); CREATE INDEX visits_time_index ON visits (visit_time);",
    "CREATE TABLE urls(id INTEGER PRIMARY KEY AUTOINCREMENT, url LONGVARCHAR, title LONGVARCHAR, visit_count "
    "INTEGER DEFAULT 0 NOT NULL, typed_count INTEGER DEFAULT 0 NOT NULL, last_visit_time INTEGER NOT NULL, hidden "
    "INTEGER DEFAULT 0 NOT NULL);"
    "CREATE TABLE visits(id INTEGER PRIMARY KEY AUTOINCREMENT, url INTEGER NOT NULL, visit_time INTEGER NOT NULL, "
    "from_visit INTEGER, external_referrer_url TEXT, transition INTEGER DEFAULT 0 NOT NULL, segment_id INTEGER, "
    "visit_duration INTEGER DEFAULT 0 NOT NULL, incremented_omnibox_typed_score BOOLEAN DEFAULT FALSE NOT NULL, "
    "opener_visit INTEGER, originator_cache_guid TEXT, originator_visit_id INTEGER, originator_from_visit INTEGER, "
    "originator_opener_visit INTEGER, is_known_to_sync BOOLEAN DEFAULT FALSE NOT NULL, consider_for_ntp_most_visited "
    "BOOLEAN DEFAULT FALSE NOT NULL, visited_link_id INTEGER DEFAULT 0 NOT NULL, app_id TEXT);"
    "CREATE INDEX visits_url_index ON visits (url); CREATE INDEX visits_time_index ON visits (visit_time);"
    "CREATE TABLE edge_visits(visit_id INTEGER PRIMARY KEY, hub TEXT);",
};

// An older generation of Firefox's tables (favicon_id in moz_places, no triggeringPlaceId).
const char kOlderFirefoxSchema[] =
    "CREATE TABLE moz_places (id INTEGER PRIMARY KEY, url LONGVARCHAR, title LONGVARCHAR, rev_host LONGVARCHAR, "
    "visit_count INTEGER DEFAULT 0, hidden INTEGER DEFAULT 0 NOT NULL, typed INTEGER DEFAULT 0 NOT NULL, favicon_id "
    "INTEGER, frecency INTEGER DEFAULT -1 NOT NULL, last_visit_date INTEGER, guid TEXT);"
    "CREATE TABLE moz_historyvisits (id INTEGER PRIMARY KEY, from_visit INTEGER, place_id INTEGER, visit_date "
    "INTEGER, visit_type INTEGER, session INTEGER);"
    "CREATE INDEX moz_historyvisits_placedateindex ON moz_historyvisits (place_id, visit_date);"
    "CREATE INDEX moz_historyvisits_dateindex ON moz_historyvisits (visit_date);";

const char kFirefoxSchema[] =
    "CREATE TABLE moz_places (id INTEGER PRIMARY KEY, url LONGVARCHAR, title LONGVARCHAR, rev_host LONGVARCHAR, "
    "visit_count INTEGER DEFAULT 0, hidden INTEGER DEFAULT 0 NOT NULL, typed INTEGER DEFAULT 0 NOT NULL, frecency "
    "INTEGER DEFAULT -1 NOT NULL, last_visit_date INTEGER, guid TEXT, foreign_count INTEGER DEFAULT 0 NOT NULL, "
    "url_hash INTEGER DEFAULT 0 NOT NULL);"
    "CREATE TABLE moz_historyvisits (id INTEGER PRIMARY KEY, from_visit INTEGER, place_id INTEGER, visit_date "
    "INTEGER, visit_type INTEGER, session INTEGER, source INTEGER DEFAULT 0 NOT NULL, triggeringPlaceId INTEGER);"
    "CREATE INDEX moz_historyvisits_placedateindex ON moz_historyvisits (place_id, visit_date);"
    "CREATE INDEX moz_historyvisits_dateindex ON moz_historyvisits (visit_date);";
