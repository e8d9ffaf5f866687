; Orvane include file
